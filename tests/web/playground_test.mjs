// The playground in a real browser: Debian's Chromium, headless, driven by
// puppeteer-core, against the page served on 127.0.0.1.
//
//   node playground_test.mjs --url http://127.0.0.1:PORT/ --runner build/native/ec_runner
//                            --examples examples --out build/web-tests [--only REGEX]
//
// Every example runs without a fault, prints what the native runner prints and
// leaves the canvas equal to the native runner's screenshot of the same
// script; a broken script shows its fault and line; a shared link reloads its
// script; a fade shows every frame it presents; the canvas's mouse and keyboard
// reach the host.  Page screenshots land in the output folder.  The last line
// is the summary, "web: N passed, M failed"; the exit status is 1 on a failure.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const options = Object.fromEntries(
  process.argv.slice(2).reduce((pairs, arg, i, all) => (arg.startsWith('--') ? [...pairs, [arg.slice(2), all[i + 1]]] : pairs), []),
);
const url = options.url;
const runner = path.resolve(options.runner);
const examplesDir = path.resolve(options.examples);
const outDir = path.resolve(options.out);
const only = options.only ? new RegExp(options.only) : null;  // runs only the checks it matches
const finalShot = '__final__.png';  // appended to each example for the native runner

// ---- PNG files as the native runner writes them (8-bit RGB or RGBA) --------

function decodePng(file) {
  const data = fs.readFileSync(file);
  let offset = 8, width = 0, height = 0, channels = 0;
  const idat = [];
  while (offset < data.length) {
    const length = data.readUInt32BE(offset), type = data.toString('latin1', offset + 4, offset + 8);
    const body = data.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0), height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0 || (body[9] !== 6 && body[9] !== 2)) throw new Error(`${file}: not 8-bit RGB(A)`);
      channels = body[9] === 6 ? 4 : 3;
    } else if (type === 'IDAT') {
      idat.push(body);
    }
    offset += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels, rgba = new Uint8Array(width * height * 4);
  let previous = new Uint8Array(stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)], line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const row = new Uint8Array(stride);
    for (let i = 0; i < stride; i++) {
      const a = i >= channels ? row[i - channels] : 0, b = previous[i], c = i >= channels ? previous[i - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      row[i] = (line[i] + predictor) & 0xff;
    }
    for (let x = 0; x < width; x++) {
      for (let k = 0; k < 3; k++) rgba[(y * width + x) * 4 + k] = row[x * channels + k];
      rgba[(y * width + x) * 4 + 3] = channels === 4 ? row[x * channels + 3] : 255;
    }
    previous = row;
  }
  return { width, height, rgba };
}

// ---- the native runner --------------------------------------------------------

function exampleNames(dir, prefix = '') {
  return fs.readdirSync(dir, { withFileTypes: true }).flatMap((entry) => {
    const name = prefix + entry.name;
    if (entry.isDirectory()) return exampleNames(path.join(dir, entry.name), `${name}/`);
    return name.endsWith('.ecs') ? [name] : [];
  }).sort();
}

// A copy of the examples folder (the scripts load files beside them), each
// script ending with a screenshot of the screen as it leaves it.
function runNative(name) {
  const copy = path.join(outDir, 'native', 'examples');
  if (!fs.existsSync(copy)) fs.cpSync(examplesDir, copy, { recursive: true });
  const script = path.join(copy, name);
  fs.writeFileSync(script, `${fs.readFileSync(path.join(examplesDir, name), 'utf8')}\nscreenshot "${finalShot}"\n`);
  const shots = path.join(outDir, 'native', name.replace(/\.ecs$/, ''));
  fs.rmSync(shots, { recursive: true, force: true });
  const stdout = execFileSync(runner, ['--out', shots, script], { encoding: 'utf8' });
  const lines = stdout.split('\n').filter(Boolean).map((line) => line.replace(`wrote ${shots}/`, 'wrote '));
  return { lines: lines.filter((line) => line !== `wrote ${finalShot}`), screen: decodePng(path.join(shots, finalShot)) };
}

// ---- the browser --------------------------------------------------------------

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), 'ec-chromium-')),
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

async function openPage(query) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1400, height: 900 });
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  page.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
  page.on('request', (request) => {
    if (!request.url().startsWith(url) && !request.url().startsWith('data:')) problems.push(`fetched ${request.url()}`);
  });
  await page.goto(url + query);
  await page.waitForFunction(() => window.playground && window.playground.ready, { timeout: 30000 });
  page.problems = problems;
  return page;
}

async function runScript(page, timeout = 120000) {
  await page.evaluate(() => { window.playground.run(); });
  await page.waitForFunction(() => window.playground.status !== null, { timeout });
  return page.evaluate(() => ({
    status: window.playground.status,
    frames: window.playground.frames,
    errorLine: window.playground.errorLine,
    lines: [...document.querySelectorAll('#output div')].map((line) => ({ text: line.textContent, kind: line.className })),
  }));
}

async function canvasPixels(page) {
  const { width, height, base64 } = await page.evaluate(() => {
    const canvas = document.getElementById('screen');
    const bytes = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let binary = '';
    for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return { width: canvas.width, height: canvas.height, base64: btoa(binary) };
  });
  return { width, height, rgba: new Uint8Array(Buffer.from(base64, 'base64')) };
}

// The canvas is a display: it shows every pixel opaque, so the colours are
// compared and the native screenshot's alpha is not.  Both builds round alike
// (SSE-style IEEE arithmetic, no contraction), so the match is exact.
function screenDifference(canvas, native) {
  if (canvas.width !== native.width || canvas.height !== native.height)
    return `canvas ${canvas.width} x ${canvas.height}, native ${native.width} x ${native.height}`;
  let differing = 0, first = -1;
  for (let i = 0; i < canvas.rgba.length; i += 4) {
    if (canvas.rgba[i] !== native.rgba[i] || canvas.rgba[i + 1] !== native.rgba[i + 1] || canvas.rgba[i + 2] !== native.rgba[i + 2]) {
      if (first < 0) first = i / 4;
      differing++;
    }
  }
  if (!differing) return '';
  return `${differing} pixels differ, the first at (${first % canvas.width}, ${Math.floor(first / canvas.width)})`;
}

async function setScript(page, source) {
  await page.evaluate((text) => {
    const editor = document.getElementById('script');
    editor.value = text;
    editor.dispatchEvent(new Event('input'));
  }, source);
}

// ---- the tests ----------------------------------------------------------------

const results = [];
async function check(name, body) {
  if (only && !only.test(name)) return;
  try {
    await body();
    results.push({ name, ok: true });
    console.log(`ok      ${name}`);
  } catch (error) {
    results.push({ name, ok: false });
    console.log(`FAILED  ${name}: ${error.message}`);
  }
}

function expect(condition, message) {
  if (!condition) throw new Error(message);
}

function expectSame(actual, expected, what) {
  const a = JSON.stringify(actual), b = JSON.stringify(expected);
  expect(a === b, `${what}: got ${a.slice(0, 400)}, expected ${b.slice(0, 400)}`);
}

fs.mkdirSync(outDir, { recursive: true });

for (const name of exampleNames(examplesDir)) {
  await check(`example ${name}`, async () => {
    const native = runNative(name);
    const page = await openPage(`?fast=1&example=${encodeURIComponent(name)}`);
    const run = await runScript(page);
    await page.screenshot({ path: path.join(outDir, `${name.replace(/\//g, '_').replace(/\.ecs$/, '')}.png`) });
    expect(run.status === 0, `status ${run.status}: ${run.lines.map((line) => line.text).join(' | ')}`);
    // The output pane keeps the latest lines of a long output.
    const kept = await page.evaluate(() => window.playground.mostOutputLines);
    expectSame(run.lines.map((line) => line.text.replace('wrote /output/', 'wrote ')), native.lines.slice(-kept), 'output');
    const difference = screenDifference(await canvasPixels(page), native.screen);
    expect(!difference, difference);
    expectSame(page.problems, [], 'page problems');
    await page.close();
  });
}

await check('a broken script shows its fault and its line', async () => {
  const page = await openPage('?fast=1');
  const source = 'screen 320, 240\nFILLED CIRCEL 160, 120, 50, 30, 0xFFFF0000\nprint "after"\n';
  await setScript(page, source);
  const run = await runScript(page);
  await page.screenshot({ path: path.join(outDir, 'broken-script.png') });
  expect(run.status === 1 && run.errorLine === 2, `status ${run.status}, fault line ${run.errorLine}`);
  const fault = run.lines.find((line) => line.kind === 'error');
  expect(fault && fault.text.startsWith('line 2: unknown command "FILLED CIRCEL"; did you mean "FILLED CIRCLE"'),
    `fault shown: ${fault && fault.text}`);
  expect(!run.lines.some((line) => line.text === 'after'), 'the line after the fault ran');
  const selected = await page.evaluate(() => {
    const editor = document.getElementById('script');
    return editor.value.slice(editor.selectionStart, editor.selectionEnd);
  });
  expectSame(selected, 'FILLED CIRCEL 160, 120, 50, 30, 0xFFFF0000', 'the line selected in the editor');
  await page.close();
});

await check('a shared link reloads the same script', async () => {
  const page = await openPage('?fast=1');
  const source = '# «shared» script: quotes "", commas, #, ü\nscreen 64, 48\n$c = BRIGHTEN COLOR(0xFF808080, 40)\nprint "colour", $c\n';
  await setScript(page, source);
  await page.click('#share');
  const link = await page.$eval('#share-url', (input) => input.value);
  expect(link.startsWith(url) && link.includes('#script='), `link ${link}`);
  const before = await runScript(page);
  await page.close();
  const reopened = await openPage(link.slice(url.length).replace('#', '?fast=1#'));
  expectSame(await reopened.$eval('#script', (editor) => editor.value), source, 'script from the link');
  const after = await runScript(reopened);
  expectSame(after.lines, before.lines, 'output of the reloaded script');
  expect(after.status === 0, `status ${after.status}`);
  await reopened.close();
});

await check('a fade shows every frame it presents, paced by the display', async () => {
  const page = await openPage('?example=fades.ecs');
  await page.evaluate(() => { window.playground.run(); });
  await page.waitForFunction(() => window.playground.frames >= 150, { timeout: 60000 });
  await page.screenshot({ path: path.join(outDir, 'fades-live.png') });
  const running = await page.evaluate(() => window.playground.running);
  await page.waitForFunction(() => window.playground.status !== null, { timeout: 60000 });
  const frames = await page.evaluate(() => window.playground.frames);
  // FADE SCREEN 100 frames, DEFADE SCREEN 101, FLASH SCREEN 201, and the screen as the script ends.
  expect(running && frames === 403, `running at frame 150: ${running}; frames shown ${frames}`);
  await page.close();
});

await check('a command that presents frames can be stopped', async () => {
  const page = await openPage('');
  await setScript(page, 'screen 64, 48\nFLASH SCREEN 1, 0\nframes 100000\nprint "after"\n');
  await page.evaluate(() => { window.playground.run(); });
  await page.waitForFunction(() => window.playground.frames >= 20, { timeout: 30000 });
  await page.click('#stop');
  await page.waitForFunction(() => window.playground.status !== null, { timeout: 30000 });
  const lines = await page.$$eval('#output div', (divs) => divs.map((div) => div.textContent));
  expectSame(lines, ['stopped at line 2'], 'output after Stop');
  await page.close();
});

await check("the canvas's mouse and keyboard reach the host", async () => {
  const page = await openPage('');
  await setScript(page, [
    'screen 320, 240',
    '$value = GUI SLIDER(20, 200, 200, 0.5)',
    'loop',
    'Ink 0xFF384858, 0',
    'Box 0, 0, 320, 240',
    '$value = GUI SLIDER(20, 200, 200, $value)',
    '$key = SINGLE KEYCHECK(57)',
    '$double = MOUSE DOUBLECLICK(1)',
    'frames 1',
  ].join('\n'));
  await page.evaluate(() => { window.playground.run(); });
  await page.waitForFunction(() => window.playground.frames > 5);
  const box = await (await page.$('#screen')).boundingBox();
  const at = (x, y) => [box.x + (x + 0.5) * box.width / 320, box.y + (y + 0.5) * box.height / 240];
  // Each change is held for a few passes of the loop, so that the host sees it.
  const passes = async (count) => {
    const now = await page.evaluate(() => window.playground.frames);
    await page.waitForFunction((n) => window.playground.frames >= n, {}, now + count);
  };
  await page.mouse.move(...at(160, 100));
  for (let click = 0; click < 2; click++) {  // a double click; the first also gives the canvas the keyboard
    await page.mouse.down();
    await passes(3);
    await page.mouse.up();
    await passes(3);
  }
  await page.keyboard.down('Space');
  await passes(3);
  await page.keyboard.up('Space');
  await page.mouse.move(...at(70, 200));
  await page.mouse.down();
  await passes(3);
  await page.mouse.move(...at(170, 200), { steps: 5 });
  await passes(3);
  await page.mouse.up();
  await passes(3);
  await page.screenshot({ path: path.join(outDir, 'input.png') });
  await page.click('#stop');
  await page.waitForFunction(() => window.playground.status !== null);
  const lines = await page.$$eval('#output div', (divs) => divs.map((div) => div.textContent));
  const values = lines.filter((line) => line.startsWith('$value = '));
  expect(lines.filter((line) => line === '$key = 1').length === 1, 'Space reported down once');
  // Six passes of 16 ms of host time between the presses: within the interval.
  expect(lines.filter((line) => line === '$double = 1').length === 1, 'the double click reported once');
  expectSame(values[values.length - 1], '$value = 0.75', 'slider value after the drag to x 170');
  await page.close();
});

await check("each reference entry's link loads a script that calls its command", async () => {
  const reference = fs.readFileSync(path.join(examplesDir, '..', 'docs', 'commands.md'), 'utf8');
  const links = [...reference.matchAll(/\]\((http:\/\/127\.0\.0\.1:8000\/)\?command=([^)]+)\)/g)];
  expect(links.length === 66, `${links.length} playground links in the reference`);
  const page = await openPage('');
  const missing = [];
  for (const [, , query] of links) {
    const command = decodeURIComponent(query);
    const script = await page.evaluate((name) => window.playground.exampleFor(name), command);
    const escaped = command.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
    if (!new RegExp(`^\\s*(\\$\\w+\\s*=\\s*)?${escaped}(?=[\\s(]|$)`, 'm').test(script)) missing.push(command);
  }
  expectSame(missing, [], 'commands whose link loads no script calling them');
  // The page itself loads the example from such a link.
  const linked = await openPage('?command=FADE%20SCREEN');
  expectSame(await linked.$eval('#script', (editor) => editor.value), await page.evaluate(() => window.playground.exampleFor('FADE SCREEN')),
    'editor after ?command=FADE SCREEN');
  await linked.close();
  await page.close();
});

await check('the site is within its size budget', async () => {
  const size = async (file) => (await (await fetch(url + file)).arrayBuffer()).byteLength;
  const page = (await Promise.all(['index.html', 'playground.js', 'playground.css', 'ec_playground.js'].map(size)))
    .reduce((a, b) => a + b, 0);
  const wasm = await size('ec_playground.wasm');
  console.log(`        page and scripts ${page} bytes, module ${wasm} bytes`);
  expect(page <= 200 * 1024, `page and scripts ${page} bytes, over 200 KB`);
  expect(wasm <= 1.5 * 1024 * 1024, `module ${wasm} bytes, over 1.5 MB`);
});

await browser.close();
const failed = results.filter((result) => !result.ok).length;
console.log(`web: ${results.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
