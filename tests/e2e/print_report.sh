#!/usr/bin/env bash
# "Imprimir " on a real printer: reports printed by the program's own code
# under Wine reach a CUPS-PDF queue, and the PDFs are read back.
#
# Needs root (it runs cupsd and adds a print queue), cups, printer-driver-cups-pdf,
# ghostscript, poppler-utils and the built pulvar_windows_tests.exe. Run alone
# or from scripts/test, which exports the Wine environment.
#
# The PDFs and a picture of the long report are kept in $PULVAR_BUILD/e2e/print_report.

set -u
me=print_report
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

tests_exe="$PULVAR_BUILD/pulvar_windows_tests.exe"
[[ $(id -u) == 0 ]] || give_up "must run as root (it starts cupsd and adds a print queue)"
for tool in /usr/sbin/cupsd lpadmin lpstat gs pdftoppm pdftotext pdfinfo flock wine; do
    command -v "$tool" >/dev/null || give_up "$tool is not installed (scripts/install-deps)"
done
[[ -x /usr/lib/cups/backend/cups-pdf ]] || give_up "the cups-pdf backend is not installed (printer-driver-cups-pdf)"
[[ -f $tests_exe ]] || give_up "$tests_exe is not built"

version=$(pulvar_version) || give_up "cannot read the version"
# What RealPrinterTest types into the window.
name="María José Peña"
footer="PULVAR - Anàlisis de la Presiòn Sanguinea. $version"
typical_pulse="Su Frecuencia Cardiaca es: 72  72, Completamente Normal. "
typical_pressure="Su Presiòn Arterial es: 120 / 80120/80, Normal.Debe chequear su presion cada año."
long_pressure="Su Presiòn Arterial es: 150 / 95150/95, Hipertension estadio 1 , leve.Confirmarlo tomando de nuevo la presion antes de 2 meses.Si tiene sintomas relacionados , debe consultarlo con un Medico.El podria darle tratamiento si es necesario."

pulvar_wine_start || give_up "no Wine environment"

artifacts="$PULVAR_BUILD/e2e/$me"
rm -rf "$artifacts"
mkdir -p "$artifacts"

# --- the print system -------------------------------------------------------

# Wine reads the queues when a process loads the print system, so CUPS must
# be up before any of the test processes start.
# shellcheck source=scripts/print-queue.sh
source "$PULVAR_SRC/scripts/print-queue.sh"
out=$(mktemp -d /tmp/pulvar-print.XXXXXX)
pulvar_at_exit "rm -rf '$out'"
pulvar_print_queue_start "$out" pulvar_e2e || give_up "no print queue (see $PULVAR_WINE_LOG)"
queue=$PULVAR_PRINT_QUEUE

# --- helpers ------------------------------------------------------------------

pdf_count() { find "$out" -name '*.pdf' | wc -l; }

# Runs one RealPrinterTest under Wine; false when it fails or does not run.
run_test() {
    local test=$1 log="$artifacts/$1.log" status=0
    PULVAR_E2E_PRINTER=1 windows_tests "RealPrinterTest.$test" >"$log" {pulvar_print_lock_fd}>&- || status=$?
    if ! tests_passed "$status" "$(<"$log")" 1; then
        ((status == 124)) && printf '%s: %s did not end within 120 s\n' "$me" "$test"
        sed 's/^/    /' "$log"
        return 1
    fi
}

# Waits until the queue is empty and COUNT PDFs are there (cups-pdf writes
# them after the job has left the program).
wait_pdfs() {
    local count=$1 i
    for ((i = 0; i < 300; i++)); do
        if [[ -z $(lpstat -o "$queue" 2>/dev/null) ]] && (($(pdf_count) >= count)); then
            sleep 0.3
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The text of a PDF as laid out on the page, blanks kept.
pdf_text() {
    gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -o - "$1" 2>/dev/null | sed 's/\r$//; s/\xc2\xa0/ /g; s/\xc2\xad/-/g'
}

# Lines of the text without the blanks of the page margin and indentation.
trimmed_lines() { sed 's/^ *//'; }

# All the words of a text, one blank between them.
words() { tr -s ' \n\t' '   ' | sed 's/^ //; s/ $//'; }

# Checks that the PDF's text holds each expected line as a line of its own,
# in that order.
expect_lines() {
    local what=$1 text=$2
    shift 2
    local lines line at=0 n
    mapfile -t lines < <(printf '%s\n' "$text" | trimmed_lines)
    for line in "$@"; do
        n=$at
        while ((n < ${#lines[@]})) && [[ ${lines[n]} != "$line" ]]; do n=$((n + 1)); done
        if ((n == ${#lines[@]})); then
            not_ok "$what: no line '$line' (after line $at) in:"
            printf '%s\n' "$text" | sed 's/^/    |/'
            return 1
        fi
        at=$((n + 1))
    done
    return 0
}

# Where the lines of the first page stand: succeeds when every line (wrapped
# ones too) starts at one and the same x, at least 15 blanks of a 10-point
# font (40 pt) from the paper edge, and no word runs past the right edge.
# Prints what it measured.
check_layout() {
    pdftotext -f 1 -l 1 -bbox "$1" - | LC_ALL=C awk -F'"' '
        /<page / { width = $2 }
        /<word / {
            x = $2 + 0; y = sprintf("%.1f", $4); right = $6 + 0
            if (!(y in start) || x < start[y]) start[y] = x
            if (right > rightmost) rightmost = right
        }
        END {
            n = 0; same = 1
            for (y in start) {
                if (n == 0) first = start[y]
                else if (start[y] - first > 0.5 || first - start[y] > 0.5) same = 0
                n++
            }
            printf "%d lines, starting at %s pt; rightmost %.1f pt of %.1f\n", n, (same ? sprintf("%.1f", first) : "different x"), rightmost, width
            exit !(n > 0 && same && first >= 40 && rightmost <= width - 1)
        }'
}

newest_pdfs() { find "$out" -name '*.pdf' -printf '%T@ %p\n' | sort -n | tail -n "$1" | cut -d' ' -f2-; }

keep() { cp "$1" "$artifacts/$2"; }

# --- the reports --------------------------------------------------------------

# 0. The program itself must not import the print system: a hung spooler
#    would hold its start for minutes.
if [[ -f $PULVAR_EXE ]] && command -v x86_64-w64-mingw32-objdump >/dev/null; then
    if x86_64-w64-mingw32-objdump -p "$PULVAR_EXE" | grep -qi 'DLL Name: *winspool'; then
        not_ok "$(basename "$PULVAR_EXE") imports winspool.drv"
    else
        ok "$(basename "$PULVAR_EXE") loads the print system only when it prints"
    fi
fi

# 1. The typical report: every line exactly, blanks and accents included.
if run_test PrintsTheTypicalReport && wait_pdfs 1; then
    pdf=$(newest_pdfs 1)
    keep "$pdf" typical.pdf
    text=$(pdf_text "$pdf")
    if expect_lines "typical report" "$text" "$name" "$typical_pulse" "$typical_pressure" "$footer"; then
        if layout=$(check_layout "$pdf"); then
            ok "typical report: the name, the pulse and pressure lines and '$footer' ($layout)"
        else
            not_ok "typical report: lines not indented alike or past the paper edge ($layout)"
        fi
    fi
else
    not_ok "typical report: printing failed or no PDF appeared"
fi

# 2. The Stage 1 sentence is wider than the page: every word must be on paper.
before=$(pdf_count)
if run_test PrintsTheLongestSentence && wait_pdfs $((before + 1)); then
    pdf=$(newest_pdfs 1)
    keep "$pdf" long.pdf
    text=$(pdf_text "$pdf")
    all_words=$(printf '%s\n' "$text" | words)
    expected=$(printf '%s\n' "$long_pressure" | words)
    if [[ $all_words != *"$expected"* ]]; then
        not_ok "long report: the sentence is not whole on paper; the PDF reads:"
        printf '%s\n' "$text" | sed 's/^/    |/'
    elif ! expect_lines "long report" "$text" "$name" "$footer"; then
        :
    elif ! layout=$(check_layout "$pdf"); then
        not_ok "long report: the wrapped sentence does not keep the indentation or runs off the paper ($layout)"
    else
        if pdftoppm -png -r 60 -f 1 -l 1 "$pdf" "$artifacts/long"; then
            ok "long report: every word of the Stage 1 sentence is printed, $layout (picture: $artifacts/long-1.png)"
        else
            not_ok "long report: pdftoppm could not draw the PDF"
        fi
    fi
else
    not_ok "long report: printing failed or no PDF appeared"
fi

# 3. More lines than a page holds go on to the next page, none lost.
before=$(pdf_count)
if run_test ALongNameGoesOnToTheNextPage && wait_pdfs $((before + 1)); then
    pdf=$(newest_pdfs 1)
    keep "$pdf" pages.pdf
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    text=$(pdf_text "$pdf")
    all_words=$(printf '%s\n' "$text" | words)
    expected=$({ seq -f 'p%g' 1 1500; printf '%s\n' "$typical_pulse"; } | words)
    if ((pages < 2)); then
        not_ok "long name: $pages page(s) for some 130 lines"
    elif [[ $all_words != *"$expected"* ]]; then
        not_ok "long name: words of the name are missing or out of order"
    elif ! expect_lines "long name" "$text" "$typical_pressure" "$footer"; then
        :
    else
        ok "long name: $pages pages, every word of the name, then the rest of the report"
    fi
else
    not_ok "long name: printing failed or no PDF appeared"
fi

# 4. Two confirmed reports are two documents.
before=$(pdf_count)
if run_test TwoReportsAreTwoDocuments && wait_pdfs $((before + 2)); then
    sleep 1  # a third document would show up now
    if (($(pdf_count) == before + 2)); then
        good=0
        while read -r pdf; do
            expect_lines "two reports" "$(pdf_text "$pdf")" "$name" "$typical_pressure" "$footer" && good=$((good + 1))
        done < <(newest_pdfs 2)
        ((good == 2)) && ok "two reports: two PDFs, each a whole report"
    else
        not_ok "two reports: $(($(pdf_count) - before)) PDFs instead of 2"
    fi
else
    not_ok "two reports: printing failed or fewer than 2 PDFs appeared"
fi

# 5. A Greek and Cyrillic name reaches the paper in the report font.
before=$(pdf_count)
if run_test PrintsAGreekAndCyrillicName && wait_pdfs $((before + 1)); then
    pdf=$(newest_pdfs 1)
    keep "$pdf" scripts.pdf
    # pdftotext reads the font's own character map, where gs's text device
    # gives up on glyphs outside Latin.
    text=$(pdftotext -layout "$pdf" - 2>/dev/null)
    if expect_lines "Greek and Cyrillic name" "$text" "Νίκος Παπαδόπουλος Иван Петрович" "$typical_pressure"; then
        ok "Greek and Cyrillic name: printed and read back as typed"
    fi
else
    not_ok "Greek and Cyrillic name: printing failed or no PDF appeared"
fi

# 6. A second document is refused while one is open; the first one is whole.
before=$(pdf_count)
if run_test OneDocumentAtATime && wait_pdfs $((before + 1)); then
    sleep 1  # a second document would show up now
    if (($(pdf_count) != before + 1)); then
        not_ok "one document at a time: $(($(pdf_count) - before)) PDFs instead of 1"
    elif expect_lines "one document at a time" "$(pdf_text "$(newest_pdfs 1)")" "Primer documento"; then
        ok "one document at a time: the second start refused, the first document whole"
    fi
else
    not_ok "one document at a time: the test failed or no PDF appeared"
fi

# 7. An exception halfway gives the document up: nothing reaches the queue.
before=$(pdf_count)
if run_test AnExceptionGivesUpTheDocument; then
    sleep 2
    if (($(pdf_count) == before)) && [[ -z $(lpstat -o "$queue" 2>/dev/null) ]]; then
        ok "exception while printing: the document given up, nothing queued"
    else
        not_ok "exception while printing: a document reached the queue"
    fi
else
    not_ok "exception while printing: the test failed"
fi

# 8. No default printer: one message, no hang, nothing printed.
lpadmin -x "$queue" 2>/dev/null || true
if [[ -n $(lpstat -v 2>/dev/null) ]]; then
    # Other queues on this machine must not get the test's report.
    printf '%s: other print queues exist; hiding the print system from this test\n' "$me"
    export CUPS_SERVER=/nonexistent/pulvar-no-cups.sock
fi
before=$(pdf_count)
started=$SECONDS
if run_test WithoutADefaultPrinterTellsSoOnce; then
    sleep 1
    if (($(pdf_count) == before)); then
        ok "no default printer: one failure message after $((SECONDS - started)) s, nothing printed"
    else
        not_ok "no default printer: a PDF appeared"
    fi
else
    not_ok "no default printer: the failure message was not shown once, or the test hung"
fi
unset CUPS_SERVER

finish
