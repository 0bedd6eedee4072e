// The game in the page at its usual size, as a person plays it: the start-up and its measures,
// a move by clicks and the computer hunters' reply, and the end by Esc.
'use strict';

const { log, fail, start, expectBoard, whenPixel, afterStartMs, whenIdle, slideWolf } = require('./helpers');
const { checkFits } = require('./controls');

// The page opens at 900 by 720: titled, its keys in one line under the board, its icon there,
// the whole picture in the middle, and the start position on the board. The measures of the
// start: the first board painted, on the first visit and from the browser's cache, and the
// speed measurement that follows it. Returns the measures and the canvas's box.
async function checkStartup(page, url, firstVisitMs) {
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
  return { measures, box };
}

// A move by clicks, animated, and the computer hunters' reply; adds their times to the measures.
async function checkMoveAndReply(page, box, measures) {
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
}

// Esc ends the game; the page says so and how to start again, and Enter on its link starts a
// new game.
async function checkEndByEsc(page) {
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
}

module.exports = { checkStartup, checkMoveAndReply, checkEndByEsc };
