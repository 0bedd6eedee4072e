// The page in every hand: screens from a small phone to a large window, by touch and by mouse,
// every square and every one of the page's own controls, and a whole game by taps.
'use strict';

const { log, fail, watch, start, readBoard, expectSeen, expectBoard, whenPixel, whenIdle } = require('./helpers');
const { checkFits, tapSquare, tapControl, readPanel } = require('./controls');
const { checkAxe } = require('./accessibility');

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
  if (result !== 'Волк вырвался! The wolf has broken!' || !said.endsWith(` ${result}`)) {
    fail(`the result is shown as "${result}" and announced as "${said}"`);
  }
  if (process.env.VORLASK_WEB_PHONE_SHOT) await page.screenshot({ path: process.env.VORLASK_WEB_PHONE_SHOT });
  await tapControl(page, true, 78);
  await expectBoard(page, start, 'a new game after the end', 5000);
  log('a whole game by taps on the upright phone; its result was shown and announced');
}

// Screens from a small phone to a large window, with the layout the page must choose and, where
// whole device pixels must show each pixel, how many. On all but the whole picture, a tap or a
// click on every dark square and on every one of the page's own controls must reach the game.
async function checkScreens(browser, url) {
  const page = watch(await browser.newPage());
  for (const [width, height, ratio, touch, layout, devicePixels] of [
    [820, 1180, 2, true, 'whole'], [390, 844, 3, true, 'below'], [844, 390, 3, true, 'beside'],
    [480, 320, 2, true, 'beside narrow'], [568, 320, 2, true, 'beside narrow'], [320, 480, 2, true, 'below'],
    [1400, 1100, 2, false, 'whole', 4], [1400, 1100, 2.5, false, 'whole', 5], [500, 400, 1, false, 'beside']]) {
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

module.exports = { checkScreens };
