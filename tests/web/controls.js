// The page's layout and its own controls: whether what it shows fits the screen, taps and
// clicks on the board and on the controls, and the options as the panel and the controls show
// them.
'use strict';

const { log, fail, squareCentre } = require('./helpers');

// The layout the page chose and its sizes in CSS pixels. Fails when something it shows lies
// outside the viewport, when the page can scroll, when a square or a control is smaller than a
// thumb (about 34 CSS px), when a control's label does not fit on its one line, or when the end
// of a line parts a key from what it does.
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
    const overflowing = buttons.filter((b) => b.scrollWidth > b.clientWidth + 0.5).map((b) => b.textContent);
    const split = [...document.querySelectorAll('#hint .keys > span')]
      .filter((e) => e.getClientRects().length > 1).map((e) => e.textContent.replace(/\s+/g, ' '));
    return { layout, scale, square: 53 * scale, devicePixels: scale * devicePixelRatio,
             control: buttons.length ? Math.min(...sizes) : 26 * scale,  // a panel box's height
             outside: shown.filter((e) => out(rect(e))).map((e) => e.id || e.textContent), overflowing, split,
             scrolls: root.scrollHeight > innerHeight || root.scrollWidth > innerWidth };
  });
  const sizes = `${g.layout}, ${g.scale.toFixed(3)} CSS px (${g.devicePixels.toFixed(2)} device px) a ` +
                `pixel, squares ${g.square.toFixed(1)} px, controls ${g.control.toFixed(1)} px`;
  if (g.outside.length || g.scrolls || g.square < 34 || g.control < 34 || g.overflowing.length || g.split.length) {
    fail(`${what}: outside the viewport: ${g.outside.join(', ') || 'nothing'}; scrolls: ${g.scrolls}; ` +
         `labels too long: ${g.overflowing.join(', ') || 'none'}; keys parted: ${g.split.join(', ') || 'none'}; ${sizes}`);
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

module.exports = { checkFits, tap, tapSquare, tapControl, readPanel };
