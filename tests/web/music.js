// The music: held back by the browser until the person's first gesture, with the page saying
// so; flowing once S switches it on, the game answering while it comes over a slow line; and
// the browser's audio at rest once S switches it off.
'use strict';

const { log, fail, watch, squareCentre } = require('./helpers');

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

// The square under the game's cursor, as the board's grid tells it.
function cursorSquare(page) {
  return page.$eval('#grid [tabindex="0"]', (e) => e.getAttribute('aria-label'));
}

// S after the clicks of the first page, which count as the person's gesture, over a slow line
// (1.6 Mbit/s): the page says the music is loading, and a key meanwhile is answered at once.
// Returns how long the answer took.
async function keyWhileMusicLoads(page) {
  const session = await page.createCDPSession();
  // The first check's page has fetched the music already, into the browser's cache and the
  // service worker's: this one fetches it from the line.
  await session.send('Network.enable');
  await session.send('Network.setCacheDisabled', { cacheDisabled: true });
  await session.send('Network.setBypassServiceWorker', { bypass: true });
  await session.send('Network.emulateNetworkConditions',
    { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 0.75e6 / 8 });
  await page.keyboard.press('s');
  await page.waitForFunction(() => !document.getElementById('music-loading').hidden, { timeout: 5000 })
    .catch(() => fail('the page does not say that the music is loading'));
  const square = await cursorSquare(page);
  const pressed = Date.now();
  await page.keyboard.press('ArrowUp');
  await page.waitForFunction((s) => document.querySelector('#grid [tabindex="0"]').getAttribute('aria-label') !== s,
    { timeout: 5000 }, square).catch(() => fail('a key pressed while the music loads was not answered'));
  const answerMs = Date.now() - pressed;
  if (await page.$eval('#music-loading', (e) => e.hidden)) fail('the music came before the key was answered');
  await session.send('Network.emulateNetworkConditions',
    { offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  await session.send('Network.setCacheDisabled', { cacheDisabled: false });
  await session.send('Network.setBypassServiceWorker', { bypass: false });
  await session.detach();
  return answerMs;
}

// The music starts and its samples flow; switched off, the browser's audio rests. `requested`
// holds every address the page has asked for. Returns how long a key took to be answered
// while the music came.
async function checkMusicFlows(page, requested) {
  // The music's files are not part of the first download: nothing of them was asked for.
  const early = requested.filter((u) => u.includes('/music/'));
  if (early.length) fail(`the page fetched music before it was switched on: ${early.join(', ')}`);
  const answerMs = await keyWhileMusicLoads(page);
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
  await page.keyboard.press('s');
  await page.waitForFunction(() => Module.vorlaskAudioContext.state === 'suspended', { timeout: 5000 })
    .catch(() => fail("the browser's audio still runs after the music was switched off"));
  if (!(await page.$eval('#audio', (e) => e.hidden))) fail('with the music off the page says the music waits');
  // On again: the page wakes its resting audio itself, and never says that the music waits
  // (a line shown for a moment would move the controls under the finger).
  await page.evaluate(() => {
    window.vorlaskWaitShown = false;
    const notice = document.getElementById('audio');
    new MutationObserver(() => { window.vorlaskWaitShown ||= !notice.hidden; })
      .observe(notice, { attributes: true });
  });
  await page.keyboard.press('s');
  await page.waitForFunction(() => Module.vorlaskAudioContext.state === 'running', { timeout: 5000 })
    .catch(() => fail("the browser's audio did not run again when the music was switched on again"));
  if (await page.evaluate(() => window.vorlaskWaitShown)) fail('the music switched on again was said to wait');
  await page.keyboard.press('s');
  log(`a key while the music came over a slow line was answered in ${answerMs} ms; the music flowed; ` +
      "switched off, the browser's audio rests, and wakes again with no notice");
  return answerMs;
}

module.exports = { checkBlockedMusic, checkMusicFlows };
