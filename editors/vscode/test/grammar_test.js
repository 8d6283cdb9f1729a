// Tokenizes description texts with the editor's own TextMate engine and
// checks what each part of a line is coloured as: the embedded texts, as
// `scenario-tool init` writes them, line by line against a plain reading of
// their fields; the record keywords of the author's reference, so that a
// record added there cannot go uncoloured; and the few readings the compiler
// makes that an author would not expect (dash fields, keywords found inside a
// field, the lines before [generale]).
//
// Usage: node grammar_test.js SCENARIO_TOOL
// Exits 0 when every check holds, 1 when one fails, 77 (skipped) when the
// extension's packages are not installed (`npm ci` in editors/vscode).
'use strict';

const childProcess = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const kSkipped = 77;

let vsctm;
let oniguruma;
try {
  vsctm = require('vscode-textmate');
  oniguruma = require('vscode-oniguruma');
} catch (e) {
  console.log(
      `SKIPPED: the extension's packages are missing (${e.code}); run "npm ci" in editors/vscode`);
  process.exit(kSkipped);
}

const extensionDir = path.resolve(__dirname, '..');
const referencePath = path.resolve(extensionDir, '../../docs/reference.md');

const KEYWORD = 'keyword.other.record.lorvenna';
const NUMBER = 'constant.numeric.integer.lorvenna';
const HEADER = 'entity.name.section.lorvenna';
const DASH = 'comment.other.dash-field.lorvenna';
const PREAMBLE = 'comment.block.preamble.lorvenna';
const TEXT = {
  'lorvenna-line': 'string.unquoted.board-text.lorvenna',
  'lorvenna-train': 'string.unquoted.station-name.lorvenna',
};
// The records whose last field is a text (a board's text, a station's name).
const kTextRecords = ['cartello_indicatore', 'stazione'];

const failures = [];
let checks = 0;
function fail(where, message) {
  failures.push(`${where}: ${message}`);
}

// The one token that spans [start, end) of a tokenized line, or a reason why
// there is none.
function tokenAt(tokens, start, end) {
  const t = tokens.find((k) => k.startIndex === start);
  if (!t) return {error: 'no token starts there'};
  if (t.endIndex !== end) return {error: `the token there is "${t.text}"`};
  return {token: t};
}

// Checks that `text`, the first occurrence at or after `from` in the line,
// is one token carrying `scope` (or, with `expected` false, that no part of
// it carries `scope`).
function expectScope(where, line, text, scope, expected = true, from = 0) {
  checks++;
  const start = line.text.indexOf(text, from);
  if (start < 0) return fail(where, `"${text}" is not in the line`);
  const end = start + text.length;
  if (!expected) {
    const hit = line.tokens.find(
        (k) => k.startIndex < end && k.endIndex > start && k.scopes.includes(scope),
    );
    if (hit) fail(where, `"${hit.text}" is coloured as ${scope}, which it is not`);
    return;
  }
  const {token, error} = tokenAt(line.tokens, start, end);
  if (error) return fail(where, `"${text}" should be one token (${scope}): ${error}`);
  if (!token.scopes.includes(scope)) {
    fail(where, `"${text}" should be ${scope}; it is ${token.scopes.join(' ')}`);
  }
}

async function loadGrammars() {
  const manifest = JSON.parse(fs.readFileSync(path.join(extensionDir, 'package.json'), 'utf8'));
  const wasm = fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm'));
  await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
  const paths = new Map(
      manifest.contributes.grammars.map((g) => [g.scopeName, path.join(extensionDir, g.path)]),
  );
  const registry = new vsctm.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (sources) => new oniguruma.OnigScanner(sources),
      createOnigString: (s) => new oniguruma.OnigString(s),
    }),
    loadGrammar: async (scope) => {
      const p = paths.get(scope);
      return p ? vsctm.parseRawGrammar(fs.readFileSync(p, 'utf8'), p) : null;
    },
  });
  const grammars = {};
  for (const g of manifest.contributes.grammars.filter((x) => x.language)) {
    grammars[g.language] = await registry.loadGrammar(g.scopeName);
    if (!grammars[g.language]) fail('package.json', `grammar ${g.scopeName} does not load`);
  }
  return {manifest, grammars};
}

function tokenize(grammar, text) {
  let state = vsctm.INITIAL;
  return text.split(/\r?\n/).map((lineText) => {
    const r = grammar.tokenizeLine(lineText, state);
    state = r.ruleStack;
    // The engine's last token may reach one past the line, over its line end.
    const tokens = r.tokens.map((t) => {
      const endIndex = Math.min(t.endIndex, lineText.length);
      return {...t, endIndex, text: lineText.slice(t.startIndex, endIndex)};
    });
    return {text: lineText, tokens};
  });
}

// The last line of `text`, tokenized after a [generale] line, before which
// nothing is read.
function lastLine(grammar, text) {
  const lines = tokenize(grammar, `[generale]\n${text}`);
  return lines[lines.length - 1];
}

// The language whose file name patterns take `name`; the patterns are globs
// with `*` only.
function languagesOf(manifest, name) {
  const glob = (p) =>
      new RegExp(`^${p.replace(/[.+^${}()|[\]\\-]/g, '\\$&').replace(/\*/g, '.*')}$`);
  return manifest.contributes.languages
      .filter((l) => l.filenamePatterns.some((p) => glob(p).test(name)))
      .map((l) => l.id);
}

// The fields of a line, split at commas, each with its place and its text
// without the blanks around it.
function fieldsOf(text) {
  const fields = [];
  let start = 0;
  for (const part of text.split(',')) {
    const lead = part.length - part.trimStart().length;
    fields.push({start: start + lead, text: part.trim()});
    start += part.length + 1;
  }
  return fields;
}

// Every line of an embedded text against a plain reading of it: a header is
// a header, every other line's first field a keyword, each number (or each
// of several numbers a blank separates) a number, and the last field of a
// text record its text.
function checkEmbeddedText(file, language, grammar) {
  const text = new TextDecoder('windows-1252').decode(fs.readFileSync(file));
  const name = path.basename(file);
  tokenize(grammar, text).forEach((line, i) => {
    const where = `${name}:${i + 1}`;
    const fields = fieldsOf(line.text);
    const first = fields[0].text;
    if (first === '') return;
    const header = /^\[(.*)\]$/.exec(first);
    if (header) {
      expectScope(where, line, header[1], HEADER, true, fields[0].start);
      return;
    }
    expectScope(where, line, first, KEYWORD, true, fields[0].start);
    const hasText = kTextRecords.includes(first);
    fields.slice(1).forEach((f, j) => {
      if (hasText && j === fields.length - 2) {
        expectScope(where, line, f.text, TEXT[language], true, f.start);
        return;
      }
      for (const m of f.text.matchAll(/-?[0-9]+/g)) {
        expectScope(where, line, m[0], NUMBER, true, f.start + m.index);
      }
    });
  });
}

// The record headings of the reference's two description chapters, each
// with the first line of its example.
function referenceRecords() {
  const records = {'lorvenna-line': [], 'lorvenna-train': []};
  const chapters = {
    'The line description': 'lorvenna-line',
    'The train description': 'lorvenna-train'
  };
  let chapter = null;
  let current = null;
  let inExample = false;
  for (const line of fs.readFileSync(referencePath, 'utf8').split('\n')) {
    const h2 = /^## (.*)$/.exec(line);
    const h3 = /^### `([^`]+)`$/.exec(line);
    if (h2) {
      chapter = chapters[h2[1].trim()] || null;
      current = null;
    } else if (h3 && chapter) {
      current = {keyword: h3[1], example: null};
      records[chapter].push(current);
    } else if (current && line.startsWith('```')) {
      inExample = !inExample;
    } else if (current && inExample && current.example === null) {
      current.example = line;
    }
  }
  return records;
}

function checkReferenceKeywords(grammars) {
  const records = referenceRecords();
  for (const [language, list] of Object.entries(records)) {
    const other = language === 'lorvenna-line' ? 'lorvenna-train' : 'lorvenna-line';
    if (list.length === 0) fail('docs/reference.md', `no record headings found for ${language}`);
    for (const {keyword, example} of list) {
      const where = `docs/reference.md, record \`${keyword}\``;
      const record = `${keyword},    0`;
      expectScope(`${where} (${language})`, lastLine(grammars[language], record), keyword, KEYWORD);
      // A keyword of one text names no record in the other.
      expectScope(
          `${where} (${other})`, lastLine(grammars[other], record), keyword, KEYWORD, false);
      if (example === null) {
        fail(where, 'has no example line');
        continue;
      }
      const line = lastLine(grammars[language], example);
      expectScope(`${where}, example`, line, fieldsOf(example)[0].text, KEYWORD);
    }
  }
  return records;
}

// What the compiler reads differently from how a line looks. Each case is a
// text (read after a [generale] line unless it holds one), a part of one of
// its lines, and whether that part is coloured with the scope.
const kReadings = [
  // A field holding '-' where a keyword is expected is passed over.
  [
    'lorvenna-line', 'indicatori-vmax,  7000,  90,  95,  95,  0,  ,  ,  ,  0', 'indicatori-vmax',
    DASH, true
  ],
  [
    'lorvenna-line', 'indicatori-vmax,  7000,  90,  95,  95,  0,  ,  ,  ,  0', 'indicatori-vmax',
    KEYWORD, false
  ],
  [
    'lorvenna-train', '------------------------------', '------------------------------', DASH, true
  ],
  ['lorvenna-line', '-4', '-4', NUMBER, true],
  // A keyword is found inside its field, in any case...
  ['lorvenna-line', 'lunghezza del percorso,    76000', 'lunghezza del percorso', KEYWORD, true],
  ['lorvenna-train', 'velocità,   0,    30', 'velocità', KEYWORD, true],
  [
    'lorvenna-train',
    'Stazione,   32800,  4,  500,  1, 0, 0,  4,1,1,  2,1,1,    1,   7,56, 0, GALLARATE', 'Stazione',
    KEYWORD, true
  ],
  ['lorvenna-train', '[stazione]', '[stazione]', KEYWORD, true],
  ['lorvenna-train', '[stazioni]', 'stazioni', HEADER, true],
  // ...but the line's general records only in lower case.
  ['lorvenna-line', 'Sfondo uno,    8150', 'Sfondo uno', KEYWORD, false],
  [
    'lorvenna-line', 'Progressiva chilometrica uno,    0,    32700,    1',
    'Progressiva chilometrica uno', KEYWORD, false
  ],
  // No number: a sign, a decimal point or a unit.
  ['lorvenna-train', 'sabbia,    +5', '+5', NUMBER, false],
  ['lorvenna-train', 'sabbia,    5.0', '5.0', NUMBER, false],
  ['lorvenna-line', 'pendenza,   400m,   7', '400m', NUMBER, false],
  // A text runs to the next comma and keeps its inner blanks.
  [
    'lorvenna-train',
    'stazione,   39800, 12,  400,  1, 0, 0,  4,1,1,  2,1,1,   55,   8, 1, 0, BUSTO ARSIZIO  ',
    'BUSTO ARSIZIO', TEXT['lorvenna-train'], true
  ],
  [
    'lorvenna-line', 'cartello_indicatore,  14750,   (Cavalcavia)(Km. 17.950)',
    '(Cavalcavia)(Km. 17.950)', TEXT['lorvenna-line'], true
  ],
  // Nothing before [generale], in any case, is read, not even a record.
  [
    'lorvenna-line', 'sfondo uno,    8150\n[Generale]\nsfondo due,    0', 'sfondo due', KEYWORD,
    true
  ],
  ['lorvenna-train', 'sabbia,    300\n[generale]', 'sabbia', KEYWORD, false],
  [
    'lorvenna-train', 'notes on this train\nsabbia,    300\n[generale]', 'sabbia,    300', PREAMBLE,
    true
  ],
  [
    'lorvenna-line', 'notes\n[generale]\nlunghezza percorso,    76000', 'lunghezza percorso',
    KEYWORD, true
  ],
];

function checkReadings(grammars) {
  for (const [language, text, part, scope, expected] of kReadings) {
    const full = /\[generale\]/i.test(text) ? text : `[generale]\n${text}`;
    const line = tokenize(grammars[language], full).find((l) => l.text.includes(part));
    expectScope(`${language} ${JSON.stringify(full)}`, line, part, scope, expected);
  }
}

async function main() {
  const tool = process.argv[2];
  if (!tool) {
    console.error('usage: node grammar_test.js SCENARIO_TOOL');
    process.exit(2);
  }
  const {manifest, grammars} = await loadGrammars();

  const version = childProcess.execFileSync(tool, ['--version'], {encoding: 'utf8'}).trim();
  checks++;
  if (version !== `scenario-tool ${manifest.version}`) {
    fail('package.json', `version ${manifest.version} is not the tool's ("${version}")`);
  }

  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'lorvenna-grammar-'));
  try {
    childProcess.execFileSync(tool, ['init', dir, '--scenario', 'Prova', '--train', '1']);
    const texts = {'lorvenna-line': 'Prova_linea.txt', 'lorvenna-train': 'Prova_1-.txt'};
    for (const [language, name] of Object.entries(texts)) {
      checks++;
      const found = languagesOf(manifest, name);
      if (found.length !== 1 || found[0] !== language) {
        fail('package.json', `${name} opens as [${found.join(', ')}], not ${language}`);
      }
      checkEmbeddedText(path.join(dir, name), language, grammars[language]);
    }
  } finally {
    fs.rmSync(dir, {recursive: true, force: true});
  }
  const records = checkReferenceKeywords(grammars);
  checkReadings(grammars);

  for (const f of failures) console.error(f);
  const keywords = Object.values(records).reduce((n, l) => n + l.length, 0);
  console.log(
      `${checks} checks, ${failures.length} failed (${keywords} record keywords of the reference)`,
  );
  process.exit(failures.length === 0 ? 0 : 1);
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
