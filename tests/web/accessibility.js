// The page for those who do not use a mouse or do not see it: no violation axe-core can find,
// and the keyboard reaching the page's own controls without the board taking their keys.
'use strict';

const { log, fail, readBoard, expectSeen } = require('./helpers');
const { checkFits, readPanel } = require('./controls');

async function checkAxe(page, what) {
  await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const found = await page.evaluate(async () =>
    (await axe.run(document)).violations.map((v) => `${v.id} (${v.nodes.map((n) => n.target).join(', ')})`));
  if (found.length) fail(`axe-core finds, ${what}: ${found.join('; ')}`);
  log(`axe-core finds no violation ${what}`);
}

// The keyboard reaches the page's own controls, which then show over the picture's panel; the
// picture keeps its size.
async function checkKeyboard(page) {
  await checkAxe(page, 'with the whole picture');
  const before = await checkFits(page, '900 by 720 before Tab');
  // The board's square under the cursor first, then the page's own controls.
  await page.keyboard.press('Tab');
  const square = await page.evaluate(() => document.activeElement.getAttribute('aria-label'));
  if (!/^[a-h][1-8], /.test(square)) fail(`Tab went to "${square}", not to the board's square`);
  await page.keyboard.press('Tab');
  const focused = await page.evaluate(() => document.activeElement.textContent);
  if (focused !== 'a friend') fail(`Tab went to "${focused}", not to the page's first control`);
  const keyed = await checkFits(page, "900 by 720 with the keyboard in the page's controls");
  if (keyed.layout !== 'whole keyed' || keyed.scale !== before.scale) {
    fail(`with the keyboard in the page's controls the picture went from ${before.layout} at ` +
         `${before.scale} to ${keyed.layout} at ${keyed.scale}`);
  }
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
}

module.exports = { checkAxe, checkKeyboard };
