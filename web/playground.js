// The playground page: an editor, Run and Stop, the stand-in host's screen
// on a canvas, an output pane and the files the script wrote, over the
// module built from tools/runner/web_main.cpp.  Read from the file system or
// served alike: the module is inside its script, and every link is relative.
//
// URL parameters: #script=... (a shared script, base64url of its UTF-8;
// #folder=commands&script=... for one whose input files lie in examples/commands),
// ?example=NAME.ecs, ?command=NAME (the example that shows a command), and
// ?fast=1 (frames are shown as fast as they come, not one per display
// frame: the browser tests use it).
import { createEditor } from './editor.js';
import { makeLanguage } from './language.js';

const page = {
  editor: document.getElementById('editor'),
  examples: document.getElementById('examples'),
  run: document.getElementById('run'),
  stop: document.getElementById('stop'),
  share: document.getElementById('share'),
  shareUrl: document.getElementById('share-url'),
  status: document.getElementById('status'),
  output: document.getElementById('output'),
  files: document.getElementById('files'),
  canvas: document.getElementById('screen'),
  inputState: document.getElementById('input-state'),
};
const context = page.canvas.getContext('2d');
const params = new URLSearchParams(location.search);
const fast = params.get('fast') === '1';
const mostOutputLines = 1000;  // an endless loop prints every pass: keep the latest
page.zoom = 1;     // of the frame shown
page.folder = '';  // where the script's input files are: its example's folder

// What the tests read: the run's state, how many frames were shown, and
// when the page was ready to run (milliseconds after it began loading).
const state = { ready: false, readyMs: 0, running: false, status: null, frames: 0, errorLine: 0, mostOutputLines };
window.playground = state;
let editor = null;

// ---- the module's side ----------------------------------------------------

let stopWaiting = null;  // ends the current wait early (Stop)

function waitFrames(count) {
  return new Promise((resolve) => {
    let left = count;
    const done = () => { stopWaiting = null; resolve(); };
    stopWaiting = done;
    const tick = () => {
      if (stopWaiting !== done) return;
      if (left-- <= 0) done();
      else if (fast) setTimeout(tick, 0);
      else requestAnimationFrame(tick);
    };
    if (count <= 0 || fast) setTimeout(done, 0);
    else requestAnimationFrame(tick);
  });
}

// `zoom`: each of the host's pixels shows as zoom x zoom canvas pixels.
function showFrame(bytes, width, height, zoom) {
  page.zoom = zoom;
  if (page.canvas.width !== width || page.canvas.height !== height) {
    page.canvas.width = width;
    page.canvas.height = height;
  }
  context.putImageData(new ImageData(new Uint8ClampedArray(bytes), width, height), 0, 0);
  state.frames++;
}

// "script:12: unknown command ..." names the line that stopped the script;
// "line 4: Position: object 1 does not exist" warns about a line that went on.
let marks = [];
const mostMarks = 100;

function markLine(number, severity, message) {
  if (marks.length >= mostMarks || marks.some((m) => m.line === number && m.message === message)) return;
  marks.push({ line: number, severity, message });
  editor.mark(marks);
}

function output(text, isError) {
  const line = document.createElement('div');
  line.textContent = text;
  const fault = isError && /^script:(\d+): (.*)$/.exec(text);
  const warning = !fault && /^line (\d+): (.*)$/.exec(text);
  if (fault) {
    const number = Number(fault[1]);
    line.className = fault[2] === 'stopped' ? 'stopped' : 'error';
    if (line.className === 'error') {
      state.errorLine = number;
      line.textContent = `line ${number}: ${fault[2]}`;
      line.title = 'Show the line';
      line.addEventListener('click', () => editor.selectLine(number));
      markLine(number, 'error', fault[2]);
      editor.selectLine(number);
    } else {
      line.textContent = `stopped at line ${number}`;
    }
  } else if (warning) {
    line.className = 'warning';
    line.title = 'Show the line';
    line.addEventListener('click', () => editor.selectLine(Number(warning[1])));
    markLine(Number(warning[1]), 'warning', warning[2]);
  } else if (isError) {
    line.className = 'error';
  }
  page.output.appendChild(line);
  while (page.output.childElementCount > mostOutputLines) page.output.firstChild.remove();
  page.output.scrollTop = page.output.scrollHeight;
  listWrittenFiles();
}

// ---- the files a script writes ------------------------------------------------

const outputDir = '/output';  // where the module's host writes (web_main.cpp)
const fileTypes = { png: 'image/png', gif: 'image/gif', wav: 'audio/wav', bmp: 'image/bmp' };
let writtenBefore = new Map();  // path to "modified time:size" as the run began
const listed = new Map();       // path to its item in the list

function outputFiles(dir = outputDir, found = new Map()) {
  if (!module.FS.analyzePath(dir).exists) return found;
  for (const name of module.FS.readdir(dir)) {
    if (name === '.' || name === '..') continue;
    const path = `${dir}/${name}`;
    const stat = module.FS.stat(path);
    if (module.FS.isDir(stat.mode)) outputFiles(path, found);
    else found.set(path, `${stat.mtime.getTime()}:${stat.size}`);
  }
  return found;
}

// Each file written or rewritten since the run began, with a link that
// downloads it as it now is.
function listWrittenFiles() {
  for (const [path, version] of outputFiles()) {
    if (writtenBefore.get(path) === version) continue;
    writtenBefore.set(path, version);
    let item = listed.get(path);
    if (!item) {
      item = document.createElement('li');
      item.appendChild(document.createElement('a'));
      item.appendChild(document.createElement('span'));
      listed.set(path, item);
      page.files.appendChild(item);
    }
    const link = item.firstChild;
    const bytes = module.FS.readFile(path);
    const name = path.slice(outputDir.length + 1);
    if (link.href) URL.revokeObjectURL(link.href);
    link.href = URL.createObjectURL(new Blob([bytes], { type: fileTypes[name.split('.').pop()] || 'application/octet-stream' }));
    link.download = name.replace(/\//g, '_');
    link.textContent = name;
    item.lastChild.textContent = ` ${bytes.length} bytes`;
    page.files.hidden = false;
  }
}

function forgetWrittenFiles() {
  for (const item of listed.values()) URL.revokeObjectURL(item.firstChild.href);
  listed.clear();
  page.files.replaceChildren();
  page.files.hidden = true;
  writtenBefore = outputFiles();
}

let module = null;

createPlayground({ ecOutput: output, ecShowFrame: showFrame, ecWaitFrames: waitFrames }).then((ready) => {
  module = ready;
  editor = createEditor({
    parent: page.editor,
    language: makeLanguage(JSON.parse(textCall('ec_callees')), textCall('ec_directives')),
    onRun: run,
    onChange: () => { state.errorLine = 0; page.examples.value = ''; },
  });
  state.view = editor.view;
  const names = textCall('ec_examples').split('\n').filter(Boolean);
  page.examples.add(new Option('(your script)', ''));
  for (const name of names) page.examples.add(new Option(name.replace(/\.ecs$/, ''), name));
  loadFromUrl(names);
  page.run.disabled = false;
  page.status.textContent = 'ready';
  state.readyMs = Math.round(performance.now());
  state.ready = true;
});

// A C function of the module that takes and returns texts.
function textCall(name, ...texts) {
  return module.ccall(name, 'string', texts.map(() => 'string'), texts);
}

// ---- the editor -------------------------------------------------------------

// A script of the user's own (the editor's change clears the example chosen).
function setScript(source) {
  editor.setText(source);
}

state.setScript = setScript;
state.script = () => editor.text();
state.selectedText = () => {
  const { from, to } = editor.view.state.selection.main;
  return editor.view.state.sliceDoc(from, to);
};

page.examples.addEventListener('change', () => {
  if (!page.examples.value) return;
  loadExample(page.examples.value);
  history.replaceState(null, '', `?example=${encodeURIComponent(page.examples.value)}`);
});

// ---- links that carry a script ---------------------------------------------

function encodeScript(source) {
  const bytes = new TextEncoder().encode(source);
  let binary = '';
  for (const byte of bytes) binary += String.fromCharCode(byte);
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

function decodeScript(encoded) {
  const binary = atob(encoded.replace(/-/g, '+').replace(/_/g, '/'));
  return new TextDecoder().decode(Uint8Array.from(binary, (c) => c.charCodeAt(0)));
}

// An example by its name relative to the examples folder.
function loadExample(name) {
  page.folder = name.includes('/') ? name.slice(0, name.lastIndexOf('/')) : '';
  setScript(textCall('ec_example', name));
  page.examples.value = name;
}

function loadFromUrl(names) {
  const shared = /^#(?:folder=([\w-]*)&)?script=(.*)$/.exec(location.hash);
  const example = params.get('example');
  const command = params.get('command');
  if (shared) {
    try {
      setScript(decodeScript(shared[2]));
      page.folder = shared[1] || '';
      return;
    } catch (fault) {
      output('the link does not hold a readable script', true);
    }
  }
  if (command) {
    const name = textCall('ec_command_example', command);
    if (name) return loadExample(name);
    output(`no example shows ${command}`, true);
  }
  const name = names.includes(example) ? example : names.includes('shapes.ecs') ? 'shapes.ecs' : names[0];
  loadExample(name);
}

page.share.addEventListener('click', async () => {
  const folder = page.folder ? `folder=${page.folder}&` : '';
  // The page's own address without its query or script: a page read from a
  // file has no origin to build one from.
  const url = `${location.href.replace(/[?#].*$/, '')}#${folder}script=${encodeScript(editor.text())}`;
  history.replaceState(null, '', url);
  page.shareUrl.value = url;
  page.shareUrl.hidden = false;
  page.shareUrl.select();
  try {
    await navigator.clipboard.writeText(url);
    page.status.textContent = 'link copied';
  } catch (fault) {
    page.status.textContent = 'link below';
  }
});

// ---- running ------------------------------------------------------------------

async function run() {
  if (!state.ready || state.running) return;
  state.running = true;
  state.status = null;
  state.errorLine = 0;
  state.frames = 0;
  page.output.textContent = '';
  marks = [];
  editor.mark(marks);
  forgetWrittenFiles();
  page.run.disabled = true;
  page.stop.disabled = false;
  page.status.textContent = 'running';
  const status = await module.ccall('ec_run', 'number', ['string', 'number', 'string'],
    [editor.text(), 1, page.folder], { async: true });
  listWrittenFiles();
  state.status = status;
  state.running = false;
  page.run.disabled = false;
  page.stop.disabled = true;
  page.status.textContent = status === 0 ? 'done' : state.errorLine ? `fault at line ${state.errorLine}` : 'stopped';
}

function stop() {
  if (!state.running) return;
  module._ec_stop();
  if (stopWaiting) stopWaiting();
}

page.run.addEventListener('click', run);
page.stop.addEventListener('click', stop);
state.run = run;
state.stop = stop;
state.exampleFor = (command) => {
  const name = textCall('ec_command_example', command);
  return name ? textCall('ec_example', name) : '';
};

// ---- the canvas as the host's mouse and keyboard ------------------------------

// KeyboardEvent.code to the host's key codes (keyboard scan codes).
const scanCodes = {
  Escape: 1, Minus: 12, Equal: 13, Backspace: 14, Tab: 15, BracketLeft: 26, BracketRight: 27,
  Enter: 28, ControlLeft: 29, Semicolon: 39, Quote: 40, Backquote: 41, ShiftLeft: 42, Backslash: 43,
  Comma: 51, Period: 52, Slash: 53, ShiftRight: 54, NumpadMultiply: 55, AltLeft: 56, Space: 57,
  CapsLock: 58, NumLock: 69, ScrollLock: 70, Numpad7: 71, Numpad8: 72, Numpad9: 73, NumpadSubtract: 74,
  Numpad4: 75, Numpad5: 76, Numpad6: 77, NumpadAdd: 78, Numpad1: 79, Numpad2: 80, Numpad3: 81,
  Numpad0: 82, NumpadDecimal: 83, F11: 87, F12: 88, NumpadEnter: 156, ControlRight: 157,
  NumpadDivide: 181, AltRight: 184, Home: 199, ArrowUp: 200, PageUp: 201, ArrowLeft: 203,
  ArrowRight: 205, End: 207, ArrowDown: 208, PageDown: 209, Insert: 210, Delete: 211,
};
'1234567890'.split('').forEach((digit, i) => { scanCodes[`Digit${digit}`] = 2 + i; });
['QWERTYUIOP', 'ASDFGHJKL', 'ZXCVBNM'].forEach((row, r) => {
  row.split('').forEach((letter, i) => { scanCodes[`Key${letter}`] = [16, 30, 44][r] + i; });
});
for (let i = 1; i <= 10; i++) scanCodes[`F${i}`] = 58 + i;

const input = { x: 0, y: 0, buttons: 0, key: '' };

function showInput() {
  page.inputState.textContent = `mouse ${input.x}, ${input.y}, buttons ${input.buttons}${input.key}`;
}

// The mouse in the host's screen pixels, however large the canvas is drawn
// and however the script zooms its screen.
function mouseAt(event) {
  const box = page.canvas.getBoundingClientRect();
  const scaleX = page.canvas.width / box.width / page.zoom, scaleY = page.canvas.height / box.height / page.zoom;
  return {
    x: Math.floor((event.clientX - box.left) * scaleX),
    y: Math.floor((event.clientY - box.top) * scaleY),
    dx: Math.round(event.movementX * scaleX),
    dy: Math.round(event.movementY * scaleY),
  };
}

function onMouse(event) {
  if (!module) return;
  const at = mouseAt(event);
  input.x = at.x, input.y = at.y, input.buttons = event.buttons;
  module._ec_mouse(at.x, at.y, event.buttons);
  if (event.type === 'mousemove') module._ec_mouse_move(at.dx, at.dy);
  showInput();
}

for (const type of ['mousemove', 'mousedown', 'mouseup']) page.canvas.addEventListener(type, onMouse);
page.canvas.addEventListener('mousedown', () => page.canvas.focus());
page.canvas.addEventListener('contextmenu', (event) => event.preventDefault());

function onKey(event) {
  const code = scanCodes[event.code];
  if (!module || code === undefined) return;
  event.preventDefault();
  const down = event.type === 'keydown';
  module._ec_key(code, down ? 1 : 0);
  input.key = down ? ` · key ${code} (${event.code}) down` : ` · key ${code} up`;
  showInput();
}

page.canvas.addEventListener('keydown', onKey);
page.canvas.addEventListener('keyup', onKey);
// Keys held when the canvas loses the keyboard would stay down in the host.
page.canvas.addEventListener('blur', () => {
  if (module) for (const code of Object.values(scanCodes)) module._ec_key(code, 0);
});
