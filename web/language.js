// The runner's language as the editor knows it: every name a script line can
// call, from the module's own tables (the command list, the host function
// list, the directives and the commands' reference entries).

// The directive table's rows: "| `screen W, H` | resizes ... |", a form in
// each backquoted part of the first cell ("`loop` or `loop N`").
function directiveRows(table) {
  const rows = [];
  for (const line of table.split('\n')) {
    const row = /^\| (`.*`) \| (.*) \|$/.exec(line);
    if (row) rows.push({ forms: [...row[1].matchAll(/`([^`]*)`/g)].map((form) => form[1]), meaning: row[2] });
  }
  return rows;
}

// `callees`: the module's list, one entry per accepted argument count;
// `directiveTable`: the directives' table, as the runner's syntax page has it.
export function makeLanguage(callees, directiveTable) {
  const names = new Map();
  for (const callee of callees) {
    let known = names.get(callee.name);
    if (!known) {
      known = { name: callee.name, kind: callee.kind, overloads: [], entry: callee.entry, forms: [], meaning: '' };
      names.set(callee.name, known);
    }
    known.overloads.push({ types: callee.types, anyNumber: callee.anyNumber, result: callee.result });
  }
  // Longest first, so that "load image" wins over a shorter name it begins with.
  const byLength = [...names.values()].sort((a, b) => b.name.length - a.name.length);
  const language = { names, byLength };
  for (const row of directiveRows(directiveTable)) {
    for (const text of row.forms) {
      const form = text.replace(/^\$\w+ = /, '');
      const known = byLength.find((name) => name.kind === 'directive' && startsName(form, 0, name.name));
      if (!known) continue;
      const rest = form.slice(known.name.length).trim();
      // A number in a form ("core ink 1") is a value, not a name.
      known.forms.push(rest ? rest.split(/\s*,\s*/).map((name) => (/^\d+$/.test(name) ? '' : name)) : []);
      known.meaning = row.meaning.replace(/`/g, '');
    }
  }
  return language;
}

// Whether `name` stands at `at` in `text` as a whole name.
function startsName(text, at, name) {
  if (!text.startsWith(name, at)) return false;
  const next = text.charAt(at + name.length);
  return next === '' || /[\s(,#]/.test(next);
}

// A line's call: the name after the indentation and an optional
// "$variable =", and where it stands; null when the line calls nothing known.
export function callOn(language, text) {
  const head = /^\s*(?:\$\w+\s*=\s*)?/.exec(text)[0];
  const known = language.byLength.find((name) => startsName(text, head.length, name.name));
  return known ? { known, from: head.length, to: head.length + known.name.length } : null;
}

// The argument the position `at` of the line is in (0 for the first), counting
// the commas outside texts; -1 before the arguments or in a comment.
export function argumentAt(text, call, at) {
  if (at <= call.to) return -1;
  let index = 0, quoted = false;
  for (let i = call.to; i < at; i++) {
    const c = text[i];
    if (quoted) {
      if (c === '\\') i++;
      else if (c === '"') quoted = false;
    } else if (c === '"') quoted = true;
    else if (c === '#') return -1;
    else if (c === ',') index++;
  }
  return index;
}

// The parameters of a name as its help shows them: {name, type, meaning}.
// A command's come from its reference entry, a directive's from its form
// with as many parameters as the overload; a host function's have types
// only (no name).
export function parametersOf(known, count = -1) {
  const overload = known.overloads.find((o) => o.types.length === count) ||
    known.overloads.reduce((a, b) => (b.types.length > a.types.length ? b : a));
  if (known.entry) {
    return known.entry.parameters.map((p, i) => ({ name: p.name, type: overload.types[i], meaning: p.meaning }));
  }
  if (overload.anyNumber) {  // "print VALUE, ...": no type for the "..."
    return (known.forms[0] || ['...']).map((name) => ({ name, type: name === '...' ? '' : 'any', meaning: known.meaning }));
  }
  const form = known.forms.find((f) => f.length === overload.types.length);
  return overload.types.map((type, i) => ({ name: form ? form[i] : '', type, meaning: known.meaning }));
}

// "x: float", or the one of the two it has.
export function parameterText(parameter) {
  return parameter.name && parameter.type ? `${parameter.name}: ${parameter.type}` : parameter.name || parameter.type;
}

// The longest overload, for the one-line summary: "(object: integer, ...) → float".
export function summary(known) {
  const parameters = parametersOf(known).map(parameterText);
  const result = known.overloads.find((o) => o.result)?.result;
  return `(${parameters.join(', ')})${result ? ` → ${result}` : ''}`;
}

// The reference page that holds a command's entry: its family's title as
// the reference's page names are made (lower case, punctuation dropped,
// blanks as hyphens).
export function entryLink(entry) {
  const page = entry.family.toLowerCase().replace(/[^a-z0-9 _-]/g, '').replace(/ /g, '-');
  return `../reference/${page}.html#${entry.anchor}`;
}
