# What the Windows job of ci.yml checks on the Debian-built downloads. Each
# step of the job dot-sources this file and calls one function; a failed
# check throws, which fails the step with the message.
Set-StrictMode -Version Latest
$ErrorActionPreference = 'Stop'

Add-Type -TypeDefinition @"
using System;
using System.Runtime.InteropServices;
public static class PulvarWindows {
    [DllImport("user32.dll", CharSet = CharSet.Unicode)]
    public static extern IntPtr FindWindowW(string className, string windowName);
    [DllImport("user32.dll")]
    public static extern uint GetWindowThreadProcessId(IntPtr window, out uint processId);
    [DllImport("user32.dll")]
    public static extern bool PostMessageW(IntPtr window, uint message, IntPtr wParam, IntPtr lParam);
}
"@

# The main window's title: "Pulvar." and four blanks before the version.
function Get-PulvarTitle([string]$Version) { "Pulvar.    $Version" }

# Starts EXE from its own folder, finds its main window by its exact title,
# closes it as the user would (WM_CLOSE) and expects the program to end with
# status 0 within 15 s.
function Test-StartAndClose([string]$Exe, [string]$Title) {
    $process = Start-Process -FilePath $Exe -WorkingDirectory (Split-Path $Exe) -PassThru
    $null = $process.Handle  # keeps the handle, so ExitCode is there after the exit
    $window = [IntPtr]::Zero
    $deadline = (Get-Date).AddSeconds(30)
    while ((Get-Date) -lt $deadline -and -not $process.HasExited) {
        $window = [PulvarWindows]::FindWindowW($null, $Title)
        if ($window -ne [IntPtr]::Zero) { break }
        Start-Sleep -Milliseconds 200
    }
    if ($window -eq [IntPtr]::Zero) {
        $seen = if ($process.HasExited) { "it ended with status $($process.ExitCode)" } else { "its main window reads '$($process.MainWindowTitle)'"; $process.Kill() }
        throw "no window titled '$Title' within 30 s from $Exe; $seen"
    }
    [uint32]$owner = 0
    $null = [PulvarWindows]::GetWindowThreadProcessId($window, [ref]$owner)
    if ($owner -ne $process.Id) { $process.Kill(); throw "the window '$Title' belongs to process $owner, not $($process.Id)" }
    Write-Host "window '$Title' of $Exe found (process $owner); closing it"
    $null = [PulvarWindows]::PostMessageW($window, 0x0010, [IntPtr]::Zero, [IntPtr]::Zero)  # WM_CLOSE
    if (-not $process.WaitForExit(15000)) { $process.Kill(); throw "$Exe still runs 15 s after its window was closed" }
    if ($process.ExitCode -ne 0) { throw "$Exe ended with status $($process.ExitCode)" }
    Write-Host "$Exe ended with status 0"
}

function Assert-SameFile([string]$Expected, [string]$Actual) {
    $a = (Get-FileHash -Algorithm SHA256 $Expected).Hash
    $b = (Get-FileHash -Algorithm SHA256 $Actual).Hash
    if ($a -ne $b) { throw "$Actual ($b) differs from $Expected ($a)" }
}

# Every DLL the exe imports, directly or delay-loaded, as dumpbin lists them,
# must be one that Windows itself has in its system folder.
function Test-SystemImportsOnly([string]$Exe) {
    $vswhere = Join-Path ${env:ProgramFiles(x86)} 'Microsoft Visual Studio\Installer\vswhere.exe'
    $dumpbin = & $vswhere -latest -products * -find 'VC\Tools\MSVC\**\bin\Hostx64\x64\dumpbin.exe' | Select-Object -First 1
    if (-not $dumpbin) { throw "no dumpbin.exe in the Visual Studio installation" }
    $listing = & $dumpbin /nologo /dependents $Exe
    if ($LASTEXITCODE -ne 0) { throw "dumpbin /dependents $Exe failed ($LASTEXITCODE)" }
    $listing | Write-Host
    $dlls = @($listing | ForEach-Object { if ($_ -match '^\s+(\S+\.(dll|drv))\s*$') { $Matches[1] } })
    if ($dlls.Count -eq 0) { throw "dumpbin lists no imported DLL for $Exe" }
    $system = Join-Path $env:SystemRoot 'System32'
    $foreign = @($dlls | Where-Object { -not (Test-Path (Join-Path $system $_)) })
    if ($foreign.Count -gt 0) { throw "imports that are not system DLLs: $($foreign -join ', ')" }
    Write-Host "imports, all in ${system}: $($dlls -join ', ')"
}
