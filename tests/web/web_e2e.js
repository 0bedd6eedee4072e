// The page of the web build in headless Chromium, driven as a person would: the start
// position, a move of the wolf by clicks and the computer hunters' reply, the music, and the end
// by Esc; a start behind another tab, and a start with no network after one visit. Any console
// error or page error fails the test. Prints the measures as key=value.
//
// Usage: node tests/web/web_e2e.js SITE_FOLDER [SHOT_FOLDER]
//   CHROMIUM: the browser (default /usr/bin/chromium). puppeteer-core is found through
//   NODE_PATH (scripts/web installs it into build-web/node_modules).
'use strict';

const http = require('http');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync, spawn } = require('child_process');
const puppeteer = require('puppeteer-core');

const site = path.resolve(process.argv[2] || 'build-web/site');
const shots = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlask-web-'));
const keep = process.argv[3];
const readBoardScript = path.join(__dirname, 'read_board.sh');

const started = Date.now();
function log(text) {
  console.error(`[web_e2e ${Date.now() - started} ms] ${text}`);
}

// ---- The folder served as a web server sends it: compressed where the browser accepts it ----
// Every server ends with the test, however it ends.
const servers = new Set();
process.on('exit', () => servers.forEach((child) => child.kill()));
function serve() {
  const child = spawn(path.join(__dirname, '..', '..', 'scripts', 'serve-web'), [site, '0'],
                      { stdio: ['ignore', 'pipe', 'inherit'], env: { ...process.env, VORLASK_SERVE_QUIET: '1' } });
  servers.add(child);
  return new Promise((resolve, reject) => {
    child.stdout.once('data', (line) => resolve({ url: line.toString().trim(), close: () => child.kill() }));
    child.once('exit', (code) => reject(new Error(`scripts/serve-web ended with ${code}`)));
  });
}

// Console errors and page errors of every page, for the end of the test.
const problems = [];
function watch(page) {
  const note = (text) => {
    if (!page.isClosed()) problems.push(text);
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
async function readBoard(canvas) {
  const file = path.join(shots, `board-${++shotNumber}.png`);
  await canvas.screenshot({ path: file });
  return { file, board: execFileSync(readBoardScript, [file], { encoding: 'utf8' }).trim() };
}

// Reads the board until it shows what is expected, or fails after the limit.
async function expectBoard(canvas, pieces, what, limitMs = 20000) {
  const want = boardText(pieces);
  const deadline = Date.now() + limitMs;
  let got;
  do {
    got = await readBoard(canvas);
    if (got.board === want) return;
    await new Promise((r) => setTimeout(r, 100));
  } while (Date.now() < deadline);
  fail(`${what}: the board shows ${got.board}, expected ${want} (dark squares, rows 2 to 9)`, got.file);
}

let lastShot = null;
function fail(message, shot) {
  lastShot = shot || lastShot;
  throw new Error(message);
}

// The middle of a board square in page coordinates.
function squareCentre(box, row, col) {
  return { x: box.x + 54 * col - 86 + 26, y: box.y + 54 * row - 85 + 26 };
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

// A page whose server refuses one file (the service worker of earlier visits bypassed).
async function pageWithout(browser, url, name) {
  const page = await browser.newPage();
  await page.setBypassServiceWorker(true);
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (request.url().endsWith(name)) request.respond({ status: 404, body: '' });
    else request.continue();
  });
  await page.goto(url);
  return page;
}

async function reportedProblem(page, what) {
  await page.waitForFunction(() => !document.getElementById('problem').hidden, { timeout: 15000 })
    .catch(() => fail(`${what} is not reported in the page`));
  return (await page.$eval('#problem', (e) => e.textContent)).trim();
}

// A page whose data cannot be fetched says so in the page, naming the file. The piano comes
// only with the music: without it the page reports a music problem and the game plays on.
async function checkMissingData(browser, url) {
  let page = await pageWithout(browser, url, '/vorlask.data');
  let text = await reportedProblem(page, 'a missing vorlask.data');
  if (!/vorlask\.data/.test(text)) fail(`the page's report does not name vorlask.data: ${text}`);
  await page.close();
  log(`a missing data file is reported in the page: ${text}`);

  page = await pageWithout(browser, url, '/music/piano.pat');
  const canvas = await page.$('#canvas');
  await expectBoard(canvas, start, 'without the piano, at start-up');
  await page.keyboard.press('s');
  text = await reportedProblem(page, 'a missing piano');
  if (!/cannot play its music.*piano\.pat/.test(text)) fail(`the page's report on the piano: ${text}`);
  // The report has moved the board down.
  const box = await canvas.boundingBox();
  await page.mouse.click(squareCentre(box, 7, 4).x, squareCentre(box, 7, 4).y);
  await page.mouse.click(squareCentre(box, 8, 3).x, squareCentre(box, 8, 3).y);
  await expectBoard(canvas, afterWolfMove, "without the piano, after the wolf's move to (8, 3)");
  await page.close();
  log(`a missing piano is reported as a music problem and the game plays on: ${text}`);
}

// On dense screens each pixel of the board is a square of whole device pixels: at 2.5 device
// pixels to the CSS pixel, two of them, so the board is 615 * 2 / 2.5 CSS pixels wide.
async function checkScaling(browser, url) {
  for (const [ratio, whole] of [[2, 2], [2.5, 2], [0.75, 1]]) {
    const page = watch(await browser.newPage());
    await page.setViewport({ width: 1400, height: 1100, deviceScaleFactor: ratio });
    await page.goto(url);
    const box = await (await page.$('#canvas')).boundingBox();
    const device = [box.width * ratio, box.height * ratio].map((v) => Math.round(v * 100) / 100);
    if (device[0] !== 615 * whole || device[1] !== 480 * whole) {
      fail(`at device pixel ratio ${ratio} the board covers ${device.join('x')} device pixels, ` +
           `expected ${615 * whole}x${480 * whole}`);
    }
    await page.close();
  }
  log('the board is scaled by whole multiples of the device pixels');
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

// A new tab, in the front window behind its current tab, or in a window of its own.
async function openTab(browser, url, where) {
  const session = await browser.target().createCDPSession();
  const { targetId } = await session.send('Target.createTarget', { url, [where]: true });
  const page = watch(await (await browser.waitForTarget((t) => t._targetId === targetId)).page());
  await page.setViewport({ width: 900, height: 720, deviceScaleFactor: 1 });
  return page;
}

// A page opened behind another tab, where the browser slows its timers down, measures its
// speed once it is shown: a slide then takes as long as after a start in front. Both starts
// run side by side, in two windows, so that a busy machine bends both alike: the game is
// opened behind a tab and left there for longer than a speed measurement takes; a second
// window opens it in front, and as soon as that one shows its board the first is shown too,
// so that both measure their speed in the same second; then in each the wolf slides. The
// slides of the two, in milliseconds.
async function slidesAfterStarts(browser, url) {
  const blank = await browser.newPage();
  const behind = await openTab(browser, url, 'background');
  await behind.waitForFunction(() => document.readyState === 'complete');
  if ((await behind.evaluate(() => document.visibilityState)) !== 'hidden') {
    fail('a tab opened behind another is not hidden; the test cannot start one there');
  }
  await new Promise((r) => setTimeout(r, 5000));
  const front = await openTab(browser, 'about:blank', 'newWindow');
  await front.goto(url);
  if ((await whenPixel(front, 30, 30, [0, 132, 0], 30000)) < 0) fail('no board showed');
  await behind.bringToFront();
  if ((await whenPixel(behind, 30, 30, [0, 132, 0], 30000)) < 0) fail('no board showed once the tab was');
  const slide = async (page) => {
    if ((await whenIdle(page, afterStartMs, 20000)) < 0) fail('the game never came to rest after its start');
    return (await slideWolf(page, await (await page.$('#canvas')).boundingBox())).wolfMs;
  };
  const slides = await Promise.all([slide(front), slide(behind)]);
  for (const page of [front, behind, blank]) await page.close();
  return slides;
}

// The pace is measured against the clock, and on a busy machine the two pages get unequal
// shares of the processor from one second to the next: up to three pairs are tried.
async function checkBackgroundStart(browser, url) {
  for (let attempt = 1; ; ++attempt) {
    const [front, behind] = await slidesAfterStarts(browser, url);
    const what = `after a start behind another tab the wolf slid in ${behind.toFixed(0)} ms, ` +
                 `after one in front beside it in ${front.toFixed(0)} ms`;
    if (front > 0 && behind > 0 && Math.abs(behind - front) <= 0.2 * front) {
      log(what);
      return behind;
    }
    if (attempt === 3) fail(what);
    log(`${what}; once more`);
  }
}

// The page can be installed, and after one visit its service worker keeps the build: with the
// server gone and the network off, a reload shows the board, the computer answers a move and
// the music starts.
async function checkOffline(browser) {
  const server = await serve();
  const page = watch(await browser.newPage());
  await page.setViewport({ width: 900, height: 720, deviceScaleFactor: 1 });
  await page.goto(server.url);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 30000 })
    .catch(() => fail('no service worker took the page over within 30 s'));
  // What a browser asks of a page before it offers to install it on a home screen.
  const { installabilityErrors } = await (await page.createCDPSession()).send('Page.getInstallabilityErrors');
  if (installabilityErrors.length) fail(`the page cannot be installed: ${JSON.stringify(installabilityErrors)}`);
  server.close();
  await page.setOfflineMode(true);
  await page.reload();
  const canvas = await page.$('#canvas');
  const box = await canvas.boundingBox();
  await expectBoard(canvas, start, 'offline, at start-up');
  if ((await whenIdle(page, afterStartMs, 20000)) < 0) fail('offline, the game never came to rest');
  await page.mouse.click(squareCentre(box, 7, 4).x, squareCentre(box, 7, 4).y);
  await page.mouse.click(squareCentre(box, 8, 3).x, squareCentre(box, 8, 3).y);
  await expectBoard(canvas, afterWolfMove, "offline, after the wolf's move to (8, 3)");
  await page.keyboard.press('s');
  await page.waitForFunction(() => Module.SDL2 && Module.SDL2.audio && Module.SDL2.audio.scriptProcessorNode,
                             { timeout: 15000 }).catch(() => fail('offline, the music did not start'));
  await page.close();
  log('installable; offline after one visit the board showed, the hunters answered and the music started');
}

// A click of the right button on the board ends the game as Esc does, without the browser's
// context menu.
async function endsByRightButton(page, box) {
  const p = squareCentre(box, 5, 5);
  await page.mouse.click(p.x, p.y, { button: 'right' });
  await page.waitForFunction(() => !document.getElementById('ended').hidden, { timeout: 10000 })
    .catch(() => fail('the right button did not end the game'));
  log('the right button ended the game');
}

// Evaluates in the page without counting as the person's gesture, as puppeteer's own
// evaluation does; polls until the expression is true, or fails after the limit.
async function quietWait(session, expression, limitMs, what) {
  const deadline = Date.now() + limitMs;
  for (;;) {
    const { result } = await session.send('Runtime.evaluate',
      { expression, returnByValue: true, awaitPromise: true, userGesture: false });
    if (result.value) return result.value;
    if (Date.now() > deadline) fail(what);
    await new Promise((r) => setTimeout(r, 100));
  }
}

// S given by a script, before any key or click of the person's: the browser keeps the sound
// off, and the page says that the music waits; the person's first click lets it play.
async function checkBlockedMusic(browser, url) {
  const page = watch(await browser.newPage());
  const session = await page.createCDPSession();
  await page.goto(url);
  const painted = `(() => { const c = document.getElementById('canvas');
    if (c.width !== 615) return false;
    const d = c.getContext('2d').getImageData(30, 30, 1, 1).data;
    return d[0] === 0 && d[1] === 132 && d[2] === 0 && performance.now(); })()`;
  // The first visit: nothing of the page is in the browser's cache yet.
  const firstVisitMs = await quietWait(session, painted, 30000, 'no board painted within 30 s');
  await quietWait(session, `navigator.userActivation.hasBeenActive === false`, 1000,
                  'the page counts a gesture that nobody made');
  await quietWait(session, `(() => { for (const type of ['keydown', 'keyup']) {
      window.dispatchEvent(new KeyboardEvent(type, { key: 's', code: 'KeyS', keyCode: 83, which: 83 }));
    } return true; })()`, 1000, 'S could not be given');
  await quietWait(session, `!!Module.vorlaskAudioContext`, 20000,
                  'S given by a script did not switch the music on');
  const state = await quietWait(session, `Module.vorlaskAudioContext.state`, 1000, '');
  if (state === 'running') {
    // Headless Chromium lets a page play sound before any gesture: the music must then play
    // at once, with no notice that it waits.
    await new Promise((r) => setTimeout(r, 600));
    await quietWait(session, `document.getElementById('audio').hidden`, 1000,
                    'the page says the music waits although it plays');
    await page.close();
    log('this browser plays sound before any gesture: the music played at once, no notice shown');
    return firstVisitMs;
  }
  await quietWait(session, `!document.getElementById('audio').hidden`, 5000,
                  'the page does not say that the music waits for a key or a click');
  const box = await (await page.$('#canvas')).boundingBox();
  await page.mouse.click(box.x + 5, box.y + 470);  // the olive margin: the game ignores it
  await quietWait(session,
    `Module.vorlaskAudioContext.state === 'running' && document.getElementById('audio').hidden`,
    10000, 'the first click did not let the music play');
  await endsByRightButton(page, box);
  await page.close();
  log('music switched on before any gesture waited for the first click, and the page said so');
  return firstVisitMs;
}

async function main() {
  const server = await serve();
  const url = server.url;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlask-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    // A tab behind another is slowed down as in any browser: the driver's own defaults would
    // keep it at full speed.
    ignoreDefaultArgs: ['--disable-background-timer-throttling', '--disable-renderer-backgrounding',
                        '--disable-backgrounding-occluded-windows'],
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  try {
    // First, while this browser has seen no gesture from the person at all.
    const firstVisitMs = await checkBlockedMusic(browser, url);
    const page = watch(await browser.newPage());
    await page.setViewport({ width: 900, height: 720, deviceScaleFactor: 1 });
    const requested = [];
    page.on('request', (request) => requested.push(request.url()));

    // ---- Start-up ----
    await page.goto(url);
    // The cursor's green square at (2, 2) is the first thing a painted board shows.
    const firstBoardMs = await whenPixel(page, 30, 30, [0, 132, 0], 30000);
    if (firstBoardMs < 0) fail('no board painted within 30 s');
    log(`first board painted ${firstBoardMs.toFixed(0)} ms after navigation`);
    // The first visit's time, and this one's, with the page's files in the browser's cache.
    const measures = {
      first_board_first_visit_ms: firstVisitMs.toFixed(0),
      first_board_cached_ms: firstBoardMs.toFixed(0),
    };

    const page_ = await page.evaluate(() => ({
      title: document.title,
      heading: document.querySelector('h1').textContent,
      keys: document.getElementById('keys').textContent.replace(/\s+/g, ' ').trim(),
      keysHeight: document.getElementById('keys').getBoundingClientRect().height,
      keysWidth: document.getElementById('keys').getBoundingClientRect().width,
      icon: document.querySelector('link[rel=icon]').href,
      branding: /emscripten|powered by/i.test(document.body.innerText),
    }));
    if (page_.title !== 'Vorlask' || page_.heading !== 'Vorlask') fail('the page is not titled Vorlask');
    if (!/Esc/.test(page_.keys) || page_.keysHeight > 30 || page_.keysWidth > 615) {
      fail(`the keys are not one line under the board: ${page_.keys}`);
    }
    if (page_.branding) fail('the page shows toolchain branding');
    const icon = await page.evaluate((u) => fetch(u).then((r) => r.status), page_.icon);
    if (icon !== 200) fail(`the favicon is missing (${icon})`);

    const canvas = await page.$('#canvas');
    const box = await canvas.boundingBox();
    if (Math.round(box.width) !== 615 || Math.round(box.height) !== 480) {
      fail(`the board is shown ${box.width}x${box.height}, expected 615x480 at device pixel ratio 1`);
    }
    const centre = box.x + box.width / 2;
    if (Math.abs(centre - 450) > 1) fail(`the board is not centred: its middle is at x ${centre}`);
    await expectBoard(canvas, start, 'at start-up');
    log('start position read from the screen');
    if (process.env.VORLASK_WEB_PAGE_SHOT) {
      await page.screenshot({ path: process.env.VORLASK_WEB_PAGE_SHOT });
    }
    // The speed measurement that follows the first paint; input meanwhile would wait for it.
    const idleAt = await whenIdle(page, afterStartMs, 20000);
    if (idleAt < 0) fail('the game never came to rest after its first paint');
    measures.speed_measurement_ms = (idleAt - firstBoardMs).toFixed(0);

    // ---- A move by clicks, animated, and the computer hunters' reply ----
    const { clickAt, wolfMs } = await slideWolf(page, box);
    // The reply: the hunter from (9, 8) arrives on (8, 7).
    const hunterArrives = await whenPixel(page, 54 * 7 - 86 + 26, 54 * 8 - 85 + 12, [198, 198, 198], 20000);
    if (wolfMs < 0 || hunterArrives < 0) fail('the move or its reply did not show within 20 s');
    const replyMs = (await whenIdle(page, 700, 20000)) - clickAt;
    await expectBoard(canvas, afterWolfMove, "after the wolf's move to (8, 3)");
    measures.wolf_slide_ms = wolfMs.toFixed(0);
    measures.move_and_reply_ms = replyMs.toFixed(0);
    log(`wolf slid in ${wolfMs.toFixed(0)} ms; the hunters' reply was over ${replyMs.toFixed(0)} ms after the click`);

    // ---- Music: S after the clicks above, which count as the person's gesture ----
    // The music's files are not part of the first download: nothing of them was asked for.
    const early = requested.filter((u) => u.includes('/music/'));
    if (early.length) fail(`the page fetched music before it was switched on: ${early.join(', ')}`);
    await page.keyboard.press('s');
    await page.waitForFunction(
      () => Module.vorlaskAudioContext && Module.vorlaskAudioContext.state === 'running' &&
            Module.SDL2 && Module.SDL2.audio && Module.SDL2.audio.scriptProcessorNode,
      { timeout: 15000 }).catch(() => fail('the audio context is not running 15 s after S'));
    await page.evaluate(() => {
      const node = Module.SDL2.audio.scriptProcessorNode;
      const fill = node.onaudioprocess;
      window.vorlaskSamples = 0;
      node.onaudioprocess = (event) => {
        fill(event);
        const samples = event.outputBuffer.getChannelData(0);
        for (let i = 0; i < samples.length; ++i) if (samples[i] !== 0) ++window.vorlaskSamples;
      };
    });
    await page.waitForFunction(() => window.vorlaskSamples > 4410, { timeout: 15000 })
      .catch(() => fail('no music samples flow 15 s after S'));
    const audioNotice = await page.$eval('#audio', (e) => e.hidden);
    if (!audioNotice) fail('the page still says the music waits for a key');
    log('the audio context runs and the music flows');

    // ---- Esc ends the game; the page says so and how to start again ----
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !document.getElementById('ended').hidden, { timeout: 10000 })
      .catch(() => fail('the page does not show that the game has ended'));
    const ended = await page.$eval('#ended', (e) => e.textContent.replace(/\s+/g, ' ').trim());
    if (!/has ended/.test(ended) || !/Start again/.test(ended)) fail(`the ended notice says: ${ended}`);
    const problem = await page.$eval('#problem', (e) => (e.hidden ? '' : e.textContent));
    if (problem) fail(`the page shows a problem: ${problem}`);
    log('Esc ended the game and the page says how to start again');
    // Enter on the page's link starts a new game.
    await Promise.all([page.waitForNavigation(), page.keyboard.press('Enter')]);
    if ((await whenPixel(page, 30, 30, [0, 132, 0], 30000)) < 0) fail('Enter on "Start again" started no game');
    log('Enter on "Start again" started a new game');

    await page.close();
    await checkMissingData(browser, url);
    await checkScaling(browser, url);
    await checkOffline(browser);
    measures.background_start_slide_ms = (await checkBackgroundStart(browser, url)).toFixed(0);
    // The missing file's own console lines are expected; the first page's are not.
    if (problems.length) fail(problems.join('\n'));
    for (const [key, value] of Object.entries(measures)) console.log(`${key}=${value}`);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().then(
  () => fs.rmSync(shots, { recursive: true, force: true }),
  (error) => {
    log(`FAIL: ${error.message}`);
    if (keep && lastShot) {
      fs.mkdirSync(keep, { recursive: true });
      fs.copyFileSync(lastShot, path.join(keep, 'web_e2e-failed.png'));
    }
    fs.rmSync(shots, { recursive: true, force: true });
    process.exit(1);
  });
