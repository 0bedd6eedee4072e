// The page of the web build in headless Chromium, driven as a person would: the start
// position, a move of the wolf by clicks and the computer hunters' reply, the music, and the end
// by Esc; the page on phones and small windows, by taps and by its own controls; its
// accessibility; a start behind another tab, and a start with no network after one visit. Any
// console error or page error fails the test. Prints the measures as key=value.
//
// Usage: node tests/web/web_e2e.js SITE_FOLDER [SHOT_FOLDER]
//   CHROMIUM: the browser (default /usr/bin/chromium). puppeteer-core is found through
//   NODE_PATH (scripts/web installs it into build-web/node_modules).
//
// The checks live beside this driver, one concern a file: helpers.js (what they share),
// controls.js (the page's layout and its own controls), game_page.js (start-up, a move, Esc),
// accessibility.js, blind.js, music.js, screens.js, offline.js and background_start.js.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
// The folder served as a web server sends it: compressed where the browser accepts it.
const serve = require('./serve');
const { shots, log, problems, watch, fail, failedShot, whenIdle, afterStartMs } = require('./helpers');
const { checkStartup, checkMoveAndReply, checkEndByEsc } = require('./game_page');
const { checkKeyboard } = require('./accessibility');
const { checkBlockedMusic, checkMusicFlows } = require('./music');
const { checkScreens } = require('./screens');
const { checkMissingData, checkOffline } = require('./offline');
const { checkBackgroundStart } = require('./background_start');
const { checkBlindPlayer } = require('./blind');

const site = path.resolve(process.argv[2] || 'build-web/site');
const keep = process.argv[3];

function launchBrowser(profile) {
  return puppeteer.launch({
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
}

// The first page at 900 by 720, by mouse and keyboard: start-up, a move and its reply, the
// page's controls by keyboard, the music, and the end by Esc. Returns the measures.
async function checkFirstPage(browser, url, firstVisitMs) {
  const page = watch(await browser.newPage());
  await page.setViewport({ width: 900, height: 720, deviceScaleFactor: 1 });
  const requested = [];
  page.on('request', (request) => requested.push(request.url()));
  const { measures, box } = await checkStartup(page, url, firstVisitMs);
  await checkMoveAndReply(page, box, measures);
  await checkKeyboard(page);
  measures.key_while_music_loads_ms = await checkMusicFlows(page, requested);
  await checkEndByEsc(page);
  await page.close();
  return measures;
}

// A fresh page, played by keys by someone who only hears it.
async function checkBlind(browser, url) {
  const page = watch(await browser.newPage());
  await page.setViewport({ width: 900, height: 720, deviceScaleFactor: 1 });
  await page.goto(url);
  await page.waitForFunction(() => document.getElementById('loading').hidden, { timeout: 30000 });
  await whenIdle(page, afterStartMs, 20000);
  await checkBlindPlayer(page);
  await page.close();
}

async function main() {
  const server = await serve(site);
  const url = server.url;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlask-chromium-'));
  const browser = await launchBrowser(profile);
  try {
    // First, while this browser has seen no gesture from the person at all.
    const firstVisitMs = await checkBlockedMusic(browser, url);
    const measures = await checkFirstPage(browser, url, firstVisitMs);
    await checkBlind(browser, url);
    await checkMissingData(browser, url);
    await checkScreens(browser, url);
    await checkOffline(browser, site);
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
    if (keep && failedShot()) {
      fs.mkdirSync(keep, { recursive: true });
      fs.copyFileSync(failedShot(), path.join(keep, 'web_e2e-failed.png'));
    }
    fs.rmSync(shots, { recursive: true, force: true });
    process.exit(1);
  });
