// The page of the web build in headless Chromium, driven as a person would: the start
// position, a move of the wolf by clicks and the computer hunters' reply, the music, and the end
// by Esc; the page on phones and small windows, by taps and by its own controls; its
// accessibility; a start behind another tab, and a start with no network after one visit. Any
// console error or page error fails the test. Prints the measures as key=value.
//
// Usage: node tests/web/web_e2e.js SITE_FOLDER [SHOT_FOLDER]
//   CHROMIUM: the browser (default /usr/bin/chromium). puppeteer-core is found through
//   NODE_PATH (scripts/web installs it into build-web/node_modules).
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const puppeteer = require('puppeteer-core');
// The folder served as a web server sends it: compressed where the browser accepts it.
const serve = require('./serve');

const site = path.resolve(process.argv[2] || 'build-web/site');
const shots = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlask-web-'));
const keep = process.argv[3];
const readBoardScript = path.join(__dirname, 'read_board.sh');

const started = Date.now();
function log(text) {
  console.error(`[web_e2e ${Date.now() - started} ms] ${text}`);
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
  await expectBoard(page, start, 'without the piano, at start-up');
  await page.keyboard.press('s');
  text = await reportedProblem(page, 'a missing piano');
  if (!/cannot play music.*piano\.pat/.test(text)) fail(`the page's report on the piano: ${text}`);
  // The report has moved the board down.
  const box = await canvas.boundingBox();
  await page.mouse.click(squareCentre(box, 7, 4).x, squareCentre(box, 7, 4).y);
  await page.mouse.click(squareCentre(box, 8, 3).x, squareCentre(box, 8, 3).y);
  await expectBoard(page, afterWolfMove, "without the piano, after the wolf's move to (8, 3)");
  await page.close();
  log(`a missing piano is reported as a music problem and the game plays on: ${text}`);
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
  const server = await serve(site);
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
  await expectBoard(page, start, 'offline, at start-up');
  if ((await whenIdle(page, afterStartMs, 20000)) < 0) fail('offline, the game never came to rest');
  await page.mouse.click(squareCentre(box, 7, 4).x, squareCentre(box, 7, 4).y);
  await page.mouse.click(squareCentre(box, 8, 3).x, squareCentre(box, 8, 3).y);
  await expectBoard(page, afterWolfMove, "offline, after the wolf's move to (8, 3)");
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
  const s = box.width / 615;
  await page.mouse.click(box.x + 5 * s, box.y + 470 * s);  // the olive margin: the game ignores it
  await quietWait(session,
    `Module.vorlaskAudioContext.state === 'running' && document.getElementById('audio').hidden`,
    10000, 'the first click did not let the music play');
  await endsByRightButton(page, box);
  await page.close();
  log('music switched on before any gesture waited for the first click, and the page said so');
  return firstVisitMs;
}

// ---- The page in every hand: screens, touch, the page's own controls, accessibility ----

// The layout the page chose and its sizes in CSS pixels. Fails when something it shows lies
// outside the viewport, when the page can scroll, or when a square or a control is smaller
// than a thumb (about 34 CSS px).
async function checkFits(page, what) {
  const g = await page.evaluate(() => {
    const rect = (e) => e.getBoundingClientRect();
    const layout = document.getElementById('stage').className;
    const scale = rect(document.getElementById('canvas')).width / 615;
    const buttons = layout === 'whole' ? [] : [...document.querySelectorAll('#controls button')];
    const shown = [document.getElementById('view'), document.getElementById('hint'), ...buttons];
    const out = (r) => r.left < -0.5 || r.top < -0.5 || r.right > innerWidth + 0.5 || r.bottom > innerHeight + 0.5;
    const sizes = buttons.map((b) => Math.min(rect(b).width, rect(b).height));
    const root = document.scrollingElement;
    return { layout, scale, square: 53 * scale, devicePixels: scale * devicePixelRatio,
             control: buttons.length ? Math.min(...sizes) : 26 * scale,  // a panel box's height
             outside: shown.filter((e) => out(rect(e))).map((e) => e.id || e.textContent),
             scrolls: root.scrollHeight > innerHeight || root.scrollWidth > innerWidth };
  });
  const sizes = `${g.layout}, ${g.scale.toFixed(3)} CSS px (${g.devicePixels.toFixed(2)} device px) a ` +
                `pixel, squares ${g.square.toFixed(1)} px, controls ${g.control.toFixed(1)} px`;
  if (g.outside.length || g.scrolls || g.square < 34 || g.control < 34) {
    fail(`${what}: outside the viewport: ${g.outside.join(', ') || 'nothing'}; scrolls: ${g.scrolls}; ${sizes}`);
  }
  log(`${what}: ${sizes}`);
  return g;
}

async function tap(page, touch, x, y) {
  if (touch) await page.touchscreen.tap(x, y);
  else await page.mouse.click(x, y);
}
async function tapSquare(page, touch, row, col) {
  const p = squareCentre(await (await page.$('#canvas')).boundingBox(), row, col);
  await tap(page, touch, p.x, p.y);
}
async function tapControl(page, touch, key) {
  const box = await (await page.$(`#controls [data-key="${key}"]`)).boundingBox();
  await tap(page, touch, box.x + box.width / 2, box.y + box.height / 2);
}

// Each dark square once, the wolf's last, while the wolf is to move: the cursor comes to each;
// the tap on the wolf picks it up, and its square shows the picked-up piece's cyan instead.
async function tapEverySquare(page, touch, what) {
  const squares = [];
  for (let r = 2; r <= 9; ++r) {
    for (let c = 2; c <= 9; ++c) if ((r + c) % 2 === 1 && !(r === 7 && c === 4)) squares.push([r, c]);
  }
  for (const [r, c] of [...squares, [7, 4]]) {
    await tapSquare(page, touch, r, c);
    await expectSeen(() => readBoard(page, '--cursor'), `${r === 7 && c === 4 ? 'C' : 'G'}${r},${c}`,
                     `${what}: the tap on square (${r}, ${c})`, 5000);
  }
}

// The options as the panel shows them (its marks, from the canvas) and as the page's own
// controls do; both must read alike.
async function readPanel(page) {
  const got = await page.evaluate(() => {
    const context = document.getElementById('canvas').getContext('2d');
    const marked = (top) => context.getImageData(482, top + 13, 1, 1).data.slice(0, 3).join() === '0,0,128';
    const pressed = (key) => document.querySelector(`[data-key="${key}"]`).getAttribute('aria-pressed') === 'true';
    const onOff = (on) => (on ? 'on' : 'off');
    return [[marked, [123, 155, 187], [259, 291], 391, 423], [pressed, [84, 72, 80], [49, 50], 83, 65]].map(
      ([on, modes, starts, music, animate]) => `mode ${modes.map(on).indexOf(true) + 1} start ` +
        `${starts.map(on).indexOf(true) + 1} music ${onOff(on(music))} animation ${onOff(on(animate))}`);
  });
  return { text: got[0] === got[1] ? got[0] : `${got[0]}, but the page's controls: ${got[1]}` };
}

// Switches each option once by the page's own controls, then starts a new game.
async function switchEveryOption(page, touch, what) {
  for (const [key, mode, start, music, animate] of [
    [84, 1, 1, 'off', 'off'], [50, 1, 2, 'off', 'off'], [49, 1, 1, 'off', 'off'], [83, 1, 1, 'on', 'off'],
    [83, 1, 1, 'off', 'off'], [65, 1, 1, 'off', 'on'], [65, 1, 1, 'off', 'off'], [80, 3, 1, 'off', 'off'],
    [72, 2, 1, 'off', 'off']]) {
    await tapControl(page, touch, key);
    await expectSeen(() => readPanel(page), `mode ${mode} start ${start} music ${music} animation ${animate}`,
                     `${what}: the control of key ${String.fromCharCode(key)}`, 5000);
  }
  await tapControl(page, touch, 78);
  await expectBoard(page, start, `${what}: a new game by the page's control`, 5000);
  await new Promise((r) => setTimeout(r, 400));  // the new-game command starts one again 300 ms later
}

// A whole game by taps alone: two people; the wolf breaks through on its second move. The
// page shows the result under the board, a screen reader hears it, and a tap starts again.
async function wholeGameByTaps(page) {
  await tapControl(page, true, 84);
  await expectSeen(() => readPanel(page), 'mode 1 start 1 music off animation off', 'two people', 5000);
  for (const square of [[7, 4], [8, 5], [9, 6], [8, 7], [8, 5], [9, 6]]) await tapSquare(page, true, ...square);
  const end = { '9,2': 'H', '9,4': 'H', '8,7': 'H', '9,8': 'H', '9,6': 'W' };
  await expectBoard(page, end, 'a game by taps', 5000);
  const said = await page.$eval('#said', (e) => e.textContent);
  const result = await page.$eval('#result', (e) => e.checkVisibility() && e.textContent);
  if (!/Волк вырвался! The wolf has broken !/.test(`${said} ${result}`) || said !== result + '.') {
    fail(`the result is shown as "${result}" and announced as "${said}"`);
  }
  if (process.env.VORLASK_WEB_PHONE_SHOT) await page.screenshot({ path: process.env.VORLASK_WEB_PHONE_SHOT });
  await tapControl(page, true, 78);
  await expectBoard(page, start, 'a new game after the end', 5000);
  log('a whole game by taps on the upright phone; its result was shown and announced');
}

async function checkAxe(page, what) {
  await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const found = await page.evaluate(async () =>
    (await axe.run(document)).violations.map((v) => `${v.id} (${v.nodes.map((n) => n.target).join(', ')})`));
  if (found.length) fail(`axe-core finds, ${what}: ${found.join('; ')}`);
  log(`axe-core finds no violation ${what}`);
}

// Screens from a small phone to a large window, with the layout the page must choose and, where
// whole device pixels must show each pixel, how many. On all but the whole picture, a tap or a
// click on every dark square and on every one of the page's own controls must reach the game.
async function checkScreens(browser, url) {
  const page = watch(await browser.newPage());
  for (const [width, height, ratio, touch, layout, devicePixels] of [
    [820, 1180, 2, true, 'whole'], [390, 844, 3, true, 'below'], [844, 390, 3, true, 'beside'],
    [320, 480, 2, true, 'below'], [1400, 1100, 2, false, 'whole', 4], [1400, 1100, 2.5, false, 'whole', 5],
    [500, 400, 1, false, 'beside']]) {
    const what = `${width} by ${height} at ${ratio}, ${touch ? 'touch' : 'mouse'}`;
    // (Between touch and mouse the browser loads the page again.)
    await page.setViewport({ width, height, deviceScaleFactor: ratio, isMobile: touch, hasTouch: touch });
    if (page.url() === 'about:blank') await page.goto(url);
    if ((await whenPixel(page, 30, 30, [0, 132, 0], 30000)) < 0 || (await whenIdle(page, 700, 20000)) < 0) {
      fail(`${what}: the game did not come to rest`);
    }
    const fits = await checkFits(page, what);
    if (fits.layout !== layout || (devicePixels && Math.abs(fits.devicePixels - devicePixels) > 0.01)) {
      fail(`${what}: expected ${layout}${devicePixels ? ` at ${devicePixels} device px a pixel` : ''}`);
    }
    if (layout === 'whole') continue;
    await tapEverySquare(page, touch, what);
    await switchEveryOption(page, touch, what);
    if (width !== 390) continue;
    await wholeGameByTaps(page);
    await checkAxe(page, 'on the upright phone');
  }
  await page.close();
  log('every square and every control answered taps and clicks on small screens');
}

async function main() {
  const server = await serve(site);
  const url = server.url;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlask-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    // Chromium keeps its crash reports' settings, GTK's settings cache and the sound server's
    // address in the home folder's .config and .cache, whatever its profile: in the profile.
    env: { ...process.env, XDG_CONFIG_HOME: path.join(profile, 'config'), XDG_CACHE_HOME: path.join(profile, 'cache') },
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
      hint: document.getElementById('hint').innerText,
      hintHeight: document.getElementById('hint').getBoundingClientRect().height,
      icon: document.querySelector('link[rel=icon]').href,
      branding: /emscripten|powered by/i.test(document.body.innerText),
    }));
    if (page_.title !== 'Vorlask' || page_.heading !== 'Vorlask') fail('the page is not titled Vorlask');
    if (!/Esc/.test(page_.hint) || /Tap/.test(page_.hint) || page_.hintHeight > 30) {
      fail(`the keys are not one line under the board: ${page_.hint}`);
    }
    if (page_.branding) fail('the page shows toolchain branding');
    const icon = await page.evaluate((u) => fetch(u).then((r) => r.status), page_.icon);
    if (icon !== 200) fail(`the favicon is missing (${icon})`);

    const fits = await checkFits(page, '900 by 720, mouse');
    if (fits.layout !== 'whole') fail('the picture is not shown whole at 900 by 720');
    const box = await (await page.$('#canvas')).boundingBox();
    const centre = box.x + box.width / 2;
    if (Math.abs(centre - 450) > 1) fail(`the picture is not centred: its middle is at x ${centre}`);
    await expectBoard(page, start, 'at start-up');
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
    const afterMove = { ...start };
    delete afterMove['7,4'];
    delete afterMove['9,8'];
    afterMove['8,3'] = 'W';
    afterMove['8,7'] = 'H';
    await expectBoard(page, afterMove, "after the wolf's move to (8, 3)");
    measures.wolf_slide_ms = wolfMs.toFixed(0);
    measures.move_and_reply_ms = replyMs.toFixed(0);
    log(`wolf slid in ${wolfMs.toFixed(0)} ms; the hunters' reply was over ${replyMs.toFixed(0)} ms after the click`);

    // ---- The keyboard reaches the page's own controls, which then show ----
    await checkAxe(page, 'with the whole picture');
    await page.keyboard.press('Tab');
    const focused = await page.evaluate(() => document.activeElement.textContent);
    if (focused !== 'a friend') fail(`Tab went to "${focused}", not to the page's first control`);
    await checkFits(page, "900 by 720 with the keyboard in the page's controls");
    // Enter presses the control, which only records the mode once a move has been made; the
    // board must not take the Enter as well (it would pick up the wolf under the cursor).
    await page.keyboard.press('Enter');
    await expectSeen(() => readPanel(page), 'mode 1 start 1 music off animation on', 'Enter on "a friend"', 5000);
    await expectSeen(() => readBoard(page, '--cursor'), 'G8,3', 'Enter on a control', 5000);
    const said = await page.$eval('#said', (e) => e.textContent);
    if (said !== 'Play against a friend.') fail(`the new mode was announced as "${said}"`);
    await page.evaluate(() => document.activeElement.blur());
    if ((await checkFits(page, '900 by 720 again')).layout !== 'whole') fail('the picture stays cut');
    log("Tab reached the page's controls, Enter pressed one, and the board ignored it");

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
    await checkScreens(browser, url);
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
