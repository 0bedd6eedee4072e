// What the page's checks share: the log, the failure and its screenshot, the watch on every
// page's console, the board read from a screenshot, the waits on the page's canvas and clock,
// and the wolf's move by clicks.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');

const shots = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlask-web-'));
const readBoardScript = path.join(__dirname, 'read_board.sh');

const started = Date.now();
function log(text) {
  console.error(`[web_e2e ${Date.now() - started} ms] ${text}`);
}

// Console errors and page errors of every page, for the end of the test.
const problems = [];
function watch(page) {
  const note = (text) => {
    if (page.isClosed()) return;
    // Said at once too, so that the log shows which step it came from.
    if (!problems.includes(text)) log(text);
    problems.push(text);
  };
  page.on('console', (message) => {
    if (message.type() === 'error') note(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => note(`page error: ${error.message}`));
  page.on('requestfailed', (request) => note(`request failed: ${request.url()}`));
  return page;
}

// ---- The board, read from a screenshot by the desktop tests' reader ----
const start = { '9,2': 'H', '9,4': 'H', '9,6': 'H', '9,8': 'H', '7,4': 'W' };
// After the wolf's move from (7, 4) to (8, 3) the hunter from (9, 8) answers on (8, 7).
const afterWolfMove = { '9,2': 'H', '9,4': 'H', '9,6': 'H', '8,7': 'H', '8,3': 'W' };
function boardText(pieces) {
  let text = '';
  for (let r = 2; r <= 9; ++r) {
    for (let c = 2; c <= 9; ++c) {
      if ((r + c) % 2 === 1) text += pieces[`${r},${c}`] || '.';
    }
  }
  return text;
}

let shotNumber = 0;
// A screenshot of the part of the picture the page shows, in the picture's own pixels, and
// the picture pixel at its top-left corner.
async function pictureShot(page) {
  const g = await page.evaluate(() => {
    const view = document.getElementById('view').getBoundingClientRect();
    const canvas = document.getElementById('canvas').getBoundingClientRect();
    const scale = canvas.width / 615;
    const clip = { x: view.x, y: view.y, width: view.width, height: view.height };
    clip.scale = 1 / scale / devicePixelRatio;
    return { clip, at: [view.x - canvas.x, view.y - canvas.y].map((v) => String(Math.round(v / scale))) };
  });
  const file = path.join(shots, `picture-${++shotNumber}.png`);
  await page.screenshot({ path: file, clip: g.clip });
  return { file, at: g.at };
}

// The board, or with '--cursor' the squares the cursor marks, by read_board.sh.
async function readBoard(page, ...options) {
  const shot = await pictureShot(page);
  const args = [...options, shot.file, ...shot.at];
  return { file: shot.file, text: execFileSync(readBoardScript, args, { encoding: 'utf8' }).trim() };
}

// Reads until the reading is the one expected, or fails after the limit.
async function expectSeen(read, want, what, limitMs) {
  const deadline = Date.now() + limitMs;
  let got;
  do {
    got = await read();
    if (got.text === want) return;
    await new Promise((r) => setTimeout(r, 50));
  } while (Date.now() < deadline);
  fail(`${what}: the page shows "${got.text}", expected "${want}"`, got.file);
}

// The board as dark squares from row 2 to 9.
function expectBoard(page, pieces, what, limitMs = 20000) {
  return expectSeen(() => readBoard(page), boardText(pieces), what, limitMs);
}

let lastShot = null;
function fail(message, shot) {
  lastShot = shot || lastShot;
  throw new Error(message);
}

// The screenshot of the last failure, if it had one.
function failedShot() {
  return lastShot;
}

// The middle of a board square in page coordinates, box being the canvas's.
function squareCentre(box, row, col) {
  const scale = box.width / 615;
  return { x: box.x + (54 * col - 86 + 26) * scale, y: box.y + (54 * row - 85 + 26) * scale };
}

// Milliseconds since the page's navigation until the colour shows at the canvas pixel,
// watched on every frame the browser paints.
function whenPixel(page, x, y, rgb, limitMs) {
  return page.evaluate(
    (x, y, rgb, limitMs) =>
      new Promise((resolve) => {
        const canvas = document.getElementById('canvas');
        const until = performance.now() + limitMs;
        const look = () => {
          if (canvas.width === 615) {
            const d = canvas.getContext('2d').getImageData(x, y, 1, 1).data;
            if (d[0] === rgb[0] && d[1] === rgb[1] && d[2] === rgb[2]) return resolve(performance.now());
          }
          if (performance.now() > until) return resolve(-1);
          requestAnimationFrame(look);
        };
        look();
      }),
    x, y, rgb, limitMs);
}

// Quiet for longer than the page waits, after its first paint, for the middle of a second to
// start its speed measurement in.
const afterStartMs = 1100;

// Milliseconds since navigation when the game was last busy, once it has been idle for
// quietMs. The page has one thread: while the game works (the speed measurement after the
// first paint, a sliding piece) it hands the browser a turn only between frames, so a task
// queued meanwhile waits for tens of milliseconds; an idle game lets it run at once.
function whenIdle(page, quietMs, limitMs) {
  return page.evaluate(
    (quietMs, limitMs) =>
      new Promise((resolve) => {
        const until = performance.now() + limitMs;
        let before = performance.now();
        let busy = before;
        const tick = () => {
          const now = performance.now();
          if (now - before > 20) busy = now;
          before = now;
          if (now - busy >= quietMs) return resolve(busy);
          if (now > until) return resolve(-1);
          setTimeout(tick, 0);
        };
        setTimeout(tick, 0);
      }),
    quietMs, limitMs);
}

// Switches slides on and moves the wolf from (7, 4) to (8, 3) by clicks: the click, and how
// long the wolf took to arrive, in the page's milliseconds.
async function slideWolf(page, box) {
  await page.keyboard.press('a');
  await new Promise((r) => setTimeout(r, 300));
  let p = squareCentre(box, 7, 4);
  await page.mouse.click(p.x, p.y);
  p = squareCentre(box, 8, 3);
  const clickAt = await page.evaluate(() => performance.now());
  const wolfArrives = whenPixel(page, 54 * 3 - 86 + 26, 54 * 8 - 85 + 12, [132, 132, 255], 20000);
  await page.mouse.click(p.x, p.y);
  return { clickAt, wolfMs: (await wolfArrives) - clickAt };
}

module.exports = {
  shots, log, problems, watch, start, afterWolfMove, readBoard, expectSeen, expectBoard, fail,
  failedShot, squareCentre, whenPixel, afterStartMs, whenIdle, slideWolf,
};
