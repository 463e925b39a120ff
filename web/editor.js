// The script editor (CodeMirror): the runner's language highlighted, names
// completed with their parameters, the current parameter's help while the
// arguments are typed, a command's reference entry on hover, and the lines a
// run marked (faults and warnings) in the gutter and underlined.
import {
  acceptCompletion, autocompletion, closeCompletion, completionKeymap, currentCompletions,
} from '@codemirror/autocomplete';
import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { HighlightStyle, StreamLanguage, syntaxHighlighting } from '@codemirror/language';
import { lintGutter, setDiagnostics } from '@codemirror/lint';
import { EditorState, Prec, StateEffect, StateField } from '@codemirror/state';
import {
  EditorView, drawSelection, highlightActiveLine, highlightActiveLineGutter, hoverTooltip, keymap, lineNumbers,
  showTooltip,
} from '@codemirror/view';
import { tags } from '@lezer/highlight';
import { argumentAt, callOn, entryLink, parameterText, parametersOf, summary } from './language.js';

// ---- highlighting ---------------------------------------------------------------

const kindTokens = { command: 'command', 'host function': 'hostFunction', directive: 'directive' };
const number = /^[-+]?(?:0[xX][0-9a-fA-F]+|(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)/;

// Read a line at a time: the called name (after an optional "$v ="), then
// numbers, texts, variables and a comment.
function scriptLanguage(language) {
  return StreamLanguage.define({
    name: 'script',
    startState: () => ({ atName: true }),
    token(stream, state) {
      if (stream.sol()) state.atName = true;
      if (stream.eatSpace()) return null;
      const c = stream.peek();
      if (c === '#') {
        stream.skipToEnd();
        return 'comment';
      }
      if (c === '"') {
        stream.next();
        for (let escaped = false, next; (next = stream.next()) !== undefined;) {
          if (next === '"' && !escaped) break;
          escaped = !escaped && next === '\\';
        }
        state.atName = false;
        return 'string';
      }
      if (stream.match(/^\$\w+/)) return 'variableName';  // "$v =" keeps the name to come
      if (stream.eat('=')) return 'operator';
      if (state.atName) {
        state.atName = false;
        const call = callOn(language, stream.string.slice(stream.pos));
        if (call && call.from === 0) {
          stream.pos += call.to;
          return kindTokens[call.known.kind];
        }
      }
      state.atName = false;
      if (stream.match(number) || stream.match(/^(?:nan|inf)\b/i)) return 'number';
      if (!stream.match(/^\w+/)) stream.next();
      return null;
    },
    tokenTable: {
      command: tags.keyword,
      hostFunction: tags.function(tags.variableName),
      directive: tags.processingInstruction,
    },
    languageData: { commentTokens: { line: '#' } },
  });
}

// Classes, so that the page's style sheet colours them.
const highlightClasses = HighlightStyle.define([
  { tag: tags.keyword, class: 'ec-command' },
  { tag: tags.function(tags.variableName), class: 'ec-host-function' },
  { tag: tags.processingInstruction, class: 'ec-directive' },
  { tag: tags.number, class: 'ec-number' },
  { tag: tags.string, class: 'ec-text' },
  { tag: tags.variableName, class: 'ec-variable' },
  { tag: tags.comment, class: 'ec-comment' },
]);

// ---- help ---------------------------------------------------------------------

function element(tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined) node.textContent = text;
  return node;
}

function parameterTable(parameters) {
  const table = element('table');
  const head = table.createTHead().insertRow();
  for (const title of ['parameter', 'type', 'meaning']) head.appendChild(element('th', '', title));
  const body = table.createTBody();
  for (const parameter of parameters) {
    const row = body.insertRow();
    for (const text of [parameter.name, parameter.type, parameter.meaning]) row.insertCell().textContent = text;
  }
  return table;
}

// A name's reference entry: for a command, what it does, its parameters, its
// result and its picture or animation; for the others, their forms.
function entryNode(known) {
  const node = element('div', 'ec-entry');
  const title = node.appendChild(element('div', 'ec-entry-title'));
  title.appendChild(element('strong', '', known.name));
  title.appendChild(document.createTextNode(` ${summary(known)}`));
  const entry = known.entry;
  if (!entry) {
    const what = known.kind === 'directive' ? known.meaning : `a function of the stand-in host's ${known.kind}s`;
    node.appendChild(element('p', '', `${known.kind}: ${what}`));
    return node;
  }
  node.appendChild(element('p', 'ec-entry-does', entry.does));
  if (entry.parameters.length) node.appendChild(parameterTable(parametersOf(known)));
  if (entry.result) node.appendChild(element('p', '', `Result (${known.overloads[0].result}): ${entry.result}.`));
  const picture = node.appendChild(element('img', 'ec-entry-picture'));
  picture.src = `../reference/images/${entry.picture}`;
  picture.alt = `what ${known.name} does`;
  const link = node.appendChild(element('a', '', 'Its entry in the reference'));
  link.href = entryLink(entry);
  link.target = '_blank';
  return node;
}

const hoverEntry = (language) => hoverTooltip((view, pos) => {
  const line = view.state.doc.lineAt(pos);
  const call = callOn(language, line.text);
  if (!call || pos < line.from + call.from || pos > line.from + call.to) return null;
  return { pos: line.from + call.from, end: line.from + call.to, above: true, create: () => ({ dom: entryNode(call.known) }) };
});

// ---- completion ---------------------------------------------------------------

const completionTypes = { command: 'function', 'host function': 'method', directive: 'keyword' };

// Names are offered where a line's call is written: at its start, or after
// "$v =".  A blank in what is typed continues a name only while some name
// goes on that way ("FILLED " toward FILLED CIRCLE); after a whole name it
// begins the arguments.
function completeNames(language) {
  const options = [...language.names.values()].map((known) => ({
    label: known.name,
    type: completionTypes[known.kind],
    detail: summary(known),
    info: known.entry ? known.entry.does : known.meaning || `${known.kind}`,
    boost: known.kind === 'command' ? 1 : 0,
  }));
  return (context) => {
    const line = context.state.doc.lineAt(context.pos);
    const typed = /^(\s*(?:\$\w+\s*=\s*)?)([A-Za-z_][\w ]*)?$/.exec(line.text.slice(0, context.pos - line.from));
    if (!typed || (!typed[2] && !context.explicit)) return null;
    const words = (typed[2] || '').toLowerCase();
    const sofar = words.slice(0, words.lastIndexOf(' ') + 1);
    if (sofar && !options.some((option) => option.label.toLowerCase().startsWith(sofar))) return null;
    return { from: line.from + typed[1].length, options, validFor: /^[\w ]*$/ };
  };
}

// ---- signature help ------------------------------------------------------------

const dismissSignature = StateEffect.define();

// The parameter at the cursor: the call's parameters with the current one
// set off, and its type and meaning.  Escape hides it until the cursor
// moves to another argument; an open completion list takes Escape first.
function signatureAt(language, state) {
  const head = state.selection.main.head;
  const line = state.doc.lineAt(head);
  const call = callOn(language, line.text);
  if (!call) return null;
  const index = argumentAt(line.text, call, head - line.from);
  if (index < 0) return null;
  const given = argumentAt(line.text, call, line.length) + 1;
  return { key: `${line.number}:${index}`, pos: head, known: call.known, index, parameters: parametersOf(call.known, given) };
}

function signatureNode(signature) {
  const node = element('div', 'ec-signature');
  const { known, index, parameters } = signature;
  const current = known.overloads[0].anyNumber ? Math.min(index, parameters.length - 1) : index;
  const list = node.appendChild(element('div', 'ec-signature-list'));
  list.appendChild(element('strong', '', known.name));
  parameters.forEach((parameter, i) => {
    list.appendChild(document.createTextNode(i ? ', ' : ' '));
    list.appendChild(element(i === current ? 'b' : 'span', i === current ? 'ec-current' : '', parameterText(parameter)));
  });
  const parameter = parameters[current];
  const help = parameter
    ? `${parameter.name || `argument ${current + 1}`} (${parameter.type})${parameter.meaning ? `: ${parameter.meaning}` : ''}`
    : `${known.name} takes ${parameters.length} argument${parameters.length === 1 ? '' : 's'}`;
  node.appendChild(element('div', 'ec-signature-help', help));
  return node;
}

function signatureHelp(language) {
  const field = StateField.define({
    create: () => ({ signature: null, dismissed: '' }),
    update(value, tr) {
      if (!tr.docChanged && !tr.selection && !tr.effects.length) return value;
      const signature = signatureAt(language, tr.state);
      let dismissed = tr.effects.some((effect) => effect.is(dismissSignature)) ? value.signature?.key ?? '' : value.dismissed;
      if (!signature || signature.key !== dismissed) dismissed = '';
      return { signature: signature && signature.key !== dismissed ? signature : null, dismissed };
    },
    provide: (f) => showTooltip.from(f, (value) => value.signature && {
      pos: value.signature.pos,
      above: true,
      create: () => ({ dom: signatureNode(value.signature) }),
    }),
  });
  // Every key typed starts a completion query that no list shows, and
  // completion would take Escape to end it: the help is hidden, and the
  // query closed, unless a list is on screen.
  const escape = (view) => {
    if (!view.state.field(field).signature || currentCompletions(view.state).length) return false;
    closeCompletion(view);
    view.dispatch({ effects: dismissSignature.of(null) });
    return true;
  };
  return [field, Prec.highest(keymap.of([{ key: 'Escape', run: escape }]))];
}

// ---- the editor -----------------------------------------------------------------

// `onRun`: Ctrl+Enter; `onChange`: after each change of the text.
export function createEditor({ parent, language, onRun, onChange }) {
  const view = new EditorView({
    parent,
    state: EditorState.create({
      extensions: [
        lineNumbers(),
        lintGutter(),
        highlightActiveLineGutter(),
        highlightActiveLine(),
        drawSelection(),
        history(),
        scriptLanguage(language),
        syntaxHighlighting(highlightClasses),
        signatureHelp(language),  // before completion: its Escape comes first
        autocompletion({ override: [completeNames(language)], icons: false }),
        hoverEntry(language),
        Prec.highest(keymap.of([{ key: 'Mod-Enter', run: () => { onRun(); return true; } }])),
        keymap.of([{ key: 'Tab', run: acceptCompletion }, ...completionKeymap, ...historyKeymap, ...defaultKeymap]),
        EditorView.contentAttributes.of({ 'aria-label': 'Script', spellcheck: 'false' }),
        EditorView.updateListener.of((update) => { if (update.docChanged) onChange(); }),
      ],
    }),
  });
  return {
    view,
    text: () => view.state.doc.toString(),
    setText(text) {
      view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: text }, selection: { anchor: 0 } });
      view.dispatch(setDiagnostics(view.state, []));
    },
    selectLine(number) {
      const line = view.state.doc.line(Math.min(Math.max(number, 1), view.state.doc.lines));
      view.dispatch({ selection: { anchor: line.from, head: line.to }, scrollIntoView: true });
      view.focus();
    },
    // Marks lines: [{ line, severity: 'error' | 'warning', message }]; the
    // marks stay, moving with the text, until the next run.
    mark(marks) {
      const doc = view.state.doc;
      const diagnostics = marks.filter((mark) => mark.line >= 1 && mark.line <= doc.lines).map((mark) => {
        const line = doc.line(mark.line);
        return { from: line.from, to: line.to, severity: mark.severity, message: mark.message };
      });
      view.dispatch(setDiagnostics(view.state, diagnostics));
    },
  };
}
