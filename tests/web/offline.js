// The page without its files: a file the server refuses is reported in the page, and after one
// visit the service worker keeps the build, so that the page plays with the network off.
'use strict';

const { log, fail, watch, start, afterWolfMove, expectBoard, squareCentre, afterStartMs, whenIdle } =
  require('./helpers');
// The folder served as a web server sends it: compressed where the browser accepts it.
const serve = require('./serve');

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

// The page can be installed, and after one visit its service worker keeps the build: with the
// server gone and the network off, a reload shows the board, the computer answers a move and
// the music starts.
async function checkOffline(browser, site) {
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

module.exports = { checkMissingData, checkOffline };
