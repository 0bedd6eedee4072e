// The web page's loading and idling, measured in headless Chromium, for one or two builds side
// by side, their starts taking turns (bench/web_load.sh runs it):
//   - the first board on a slow line (1.6 Mbit/s, 150 ms latency, emulated by the browser)
//     and on the machine's own loopback, each from a fresh profile, median of several starts;
//   - the bytes on the line before the first board;
//   - the processor time of the whole browser over 30 s while the page idles, visible, behind
//     another tab, and visible again after its music was switched on and off, against a blank
//     page measured at the same time in another browser.
//
// Usage: node bench/web_load.js SITE [BASELINE_SITE]
//   Each folder is served by scripts/serve-web, compressed as it sends it. A folder without
//   compressed files beside its own (an older build) is copied and compressed first, as a
//   server that compresses on the fly would send it.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const puppeteer = require('puppeteer-core');
const serve = require('../tests/web/serve');

const SLOW = { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 0.75e6 / 8 };
const SLOW_RUNS = Number(process.env.VORLASK_BENCH_SLOW_RUNS || 3);
const FAST_RUNS = Number(process.env.VORLASK_BENCH_FAST_RUNS || 5);
const IDLE_SECONDS = Number(process.env.VORLASK_BENCH_IDLE_SECONDS || 30);
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const temporary = [];

function log(text) {
  console.error(`[web_load] ${text}`);
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const mid = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

// An older build has no compressed files: a copy gets them, made as the build makes its own.
function compressed(site) {
  const has = (dir) => fs.readdirSync(dir, { withFileTypes: true }).some((e) =>
    e.isDirectory() ? has(path.join(dir, e.name)) : e.name.endsWith('.gz'));
  if (has(site)) return site;
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlask-bench-site-'));
  temporary.push(copy);
  fs.cpSync(site, copy, { recursive: true });
  const walk = (dir) => {
    for (const e of fs.readdirSync(dir, { withFileTypes: true })) {
      const file = path.join(dir, e.name);
      if (e.isDirectory()) walk(file);
      else if (/\.(html|js|wasm|data)$/.test(e.name)) execFileSync('gzip', ['-9', '-n', '-k', file]);
    }
  };
  walk(copy);
  return copy;
}

async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlask-bench-chromium-'));
  temporary.push(profile);
  return puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: profile,
    // Chromium keeps its crash reports' settings, GTK's settings cache and the sound server's
    // address in the home folder's .config and .cache, whatever its profile: in the profile.
    env: { ...process.env, XDG_CONFIG_HOME: path.join(profile, 'config'), XDG_CACHE_HOME: path.join(profile, 'cache') },
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
}

// Milliseconds from navigation to the first painted board (the cursor's green square), and the
// bytes the browser received until then.
async function firstBoard(url, conditions) {
  const browser = await launch();
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 900, height: 720, deviceScaleFactor: 1 });
    const session = await page.createCDPSession();
    await session.send('Network.enable');
    if (conditions) await session.send('Network.emulateNetworkConditions', conditions);
    let bytes = 0;
    let counting = true;
    session.on('Network.dataReceived', (e) => {
      if (counting) bytes += e.encodedDataLength;
    });
    session.on('Network.responseReceived', (e) => {
      if (counting && e.response.encodedDataLength) bytes += e.response.encodedDataLength;
    });
    await page.evaluateOnNewDocument(() => {
      window.vorlaskBoardAt = new Promise((resolve) => {
        const look = () => {
          const canvas = document.getElementById('canvas');
          if (canvas && canvas.width === 615) {
            const d = canvas.getContext('2d').getImageData(30, 30, 1, 1).data;
            if (d[0] === 0 && d[1] === 132 && d[2] === 0) return resolve(performance.now());
          }
          requestAnimationFrame(look);
        };
        requestAnimationFrame(look);
      });
    });
    await page.goto(url, { waitUntil: 'domcontentloaded' });
    const ms = await page.evaluate(() => window.vorlaskBoardAt);
    counting = false;
    return { ms, bytes };
  } finally {
    await browser.close();
  }
}

// The processor time (user and system) of a browser and every process it started, in seconds.
function cpuSeconds(rootPid) {
  const tick = Number(execFileSync('getconf', ['CLK_TCK'], { encoding: 'utf8' }));
  const children = new Map();
  const times = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      const ppid = Number(fields[1]);
      times.set(Number(entry), (Number(fields[11]) + Number(fields[12])) / tick);
      if (!children.has(ppid)) children.set(ppid, []);
      children.get(ppid).push(Number(entry));
    } catch (e) {
      // The process ended meanwhile.
    }
  }
  let total = 0;
  const stack = [rootPid];
  while (stack.length) {
    const pid = stack.pop();
    total += times.get(pid) || 0;
    stack.push(...(children.get(pid) || []));
  }
  return total;
}

// The page idling in one browser and a blank page in another, at the same time: visible, then
// each behind a new blank tab, then the game in front again once its music has played for a
// few seconds and been switched off. Percent of one core over IDLE_SECONDS.
async function idleCpu(url) {
  const game = await launch();
  const blank = await launch();
  try {
    const gamePage = await game.newPage();
    const blankPage = await blank.newPage();
    await gamePage.goto(url);
    await blankPage.goto('about:blank');
    // Past the speed measurement and the service worker's first fill.
    await new Promise((r) => setTimeout(r, 12000));
    const measure = async () => {
      const before = [cpuSeconds(game.process().pid), cpuSeconds(blank.process().pid)];
      const start = Date.now();
      await new Promise((r) => setTimeout(r, IDLE_SECONDS * 1000));
      const seconds = (Date.now() - start) / 1000;
      return [cpuSeconds(game.process().pid) - before[0], cpuSeconds(blank.process().pid) - before[1]]
        .map((cpu) => (100 * cpu) / seconds);
    };
    const visible = await measure();
    const covers = [];
    for (const browser of [game, blank]) covers.push(await browser.newPage());
    for (const cover of covers) await cover.bringToFront();
    const hidden = await measure();
    for (const cover of covers) await cover.close();
    await gamePage.bringToFront();
    await gamePage.keyboard.press('s');
    await gamePage.waitForFunction(() => Module.vorlaskAudioContext && Module.vorlaskAudioContext.state === 'running',
                                   { timeout: 30000 });
    await new Promise((r) => setTimeout(r, 5000));
    await gamePage.keyboard.press('s');
    await new Promise((r) => setTimeout(r, 2000));
    const afterMusic = await measure();
    return { visible, hidden, afterMusic };
  } finally {
    await game.close();
    await blank.close();
  }
}

// Each start alternates between the builds, so that a change in the machine's load bends both.
async function measureSites(sites, labels) {
  const servers = [];
  for (const site of sites) servers.push(await serve(compressed(site)));
  try {
    const results = sites.map(() => ({ slow: [], fast: [] }));
    for (const [kind, runs, conditions] of [['slow', SLOW_RUNS, SLOW], ['fast', FAST_RUNS, null]]) {
      for (let i = 0; i < runs; ++i) {
        for (let s = 0; s < sites.length; ++s) results[s][kind].push(await firstBoard(servers[s].url, conditions));
      }
    }
    for (let s = 0; s < sites.length; ++s) {
      const r = results[s];
      log(`${labels[s]}: first board ${r.slow.map((x) => x.ms.toFixed(0)).join(', ')} ms on the slow line, ` +
          `${r.fast.map((x) => x.ms.toFixed(0)).join(', ')} ms on loopback`);
      r.idle = await idleCpu(servers[s].url);
      log(`${labels[s]}: idle CPU visible ${r.idle.visible.map((v) => v.toFixed(2)).join(' / ')} %, ` +
          `behind another tab ${r.idle.hidden.map((v) => v.toFixed(2)).join(' / ')} %, ` +
          `after music on and off ${r.idle.afterMusic.map((v) => v.toFixed(2)).join(' / ')} % (page / blank)`);
    }
    return results.map((r) => ({
      slowMs: median(r.slow.map((x) => x.ms)),
      fastMs: median(r.fast.map((x) => x.ms)),
      bytes: median(r.slow.map((x) => x.bytes)),
      idle: r.idle,
    }));
  } finally {
    servers.forEach((server) => server.close());
  }
}

async function main() {
  const sites = process.argv.slice(2).map((s) => path.resolve(s));
  if (!sites.length) throw new Error('usage: node bench/web_load.js SITE [BASELINE_SITE]');
  const labels = ['this build', 'baseline'];
  const results = await measureSites(sites, labels);
  const load = os.loadavg()[0].toFixed(2);
  const kb = (b) => `${Math.round(b / 1000).toLocaleString('en')} kB`;
  const s = (ms) => `${(ms / 1000).toFixed(1)} s`;
  const pct = (v) => `${v.toFixed(2)} %`;
  const rows = [
    ['first board, 1.6 Mbit/s and 150 ms latency', (r) => s(r.slowMs)],
    ['first board, loopback', (r) => `${Math.round(r.fastMs)} ms`],
    ['bytes on the line before the first board', (r) => kb(r.bytes)],
    ['the same at 1.6 Mbit/s, the floor', (r) => s((r.bytes * 8) / 1.6e6 * 1000)],
    ['CPU while idle, visible (blank page alongside)', (r) => `${pct(r.idle.visible[0])} (${pct(r.idle.visible[1])})`],
    ['CPU while idle, behind another tab (blank page alongside)', (r) => `${pct(r.idle.hidden[0])} (${pct(r.idle.hidden[1])})`],
    ['CPU while idle after music on and off (blank page alongside)',
     (r) => `${pct(r.idle.afterMusic[0])} (${pct(r.idle.afterMusic[1])})`],
  ];
  console.log(`Measured on ${new Date().toISOString().slice(0, 10)}, load average ${load} at the end; ` +
              `headless Chromium, median of ${SLOW_RUNS} starts on the slow line and ${FAST_RUNS} on loopback, ` +
              `idle CPU over ${IDLE_SECONDS} s.\n`);
  console.log(`| Measure | ${labels.slice(0, results.length).join(' | ')} |`);
  console.log(`|---|${results.map(() => '---|').join('')}`);
  for (const [name, value] of rows) console.log(`| ${name} | ${results.map(value).join(' | ')} |`);
}

main().then(
  () => temporary.forEach((t) => fs.rmSync(t, { recursive: true, force: true })),
  (error) => {
    log(`FAIL: ${error.message}`);
    temporary.forEach((t) => fs.rmSync(t, { recursive: true, force: true }));
    process.exit(1);
  });
