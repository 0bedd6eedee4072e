// A start behind another tab, where the browser slows the page's timers down: the page's
// speed, measured once it is shown, must make a slide as long as after a start in front.
'use strict';

const { log, fail, watch, whenPixel, afterStartMs, whenIdle, slideWolf } = require('./helpers');

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

module.exports = { checkBackgroundStart };
