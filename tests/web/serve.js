// A folder of the web build served by scripts/serve-web, as a browser gets it (compressed where
// the browser accepts it), on a free port of this machine; for the test and the benchmark.
//
//   const serve = require('./serve');
//   const server = await serve(site);   // server.url: the address to open; server.close()
'use strict';

const path = require('path');
const { spawn } = require('child_process');

const script = path.join(__dirname, '..', '..', 'scripts', 'serve-web');

// Every server ends with the process, however it ends: at its exit, and at a signal, which
// ends a process without an exit event. A signal that nothing else here listens to is then
// raised again, to end the process as it would have ended; where another listener takes it
// (the browser's launcher does), that one decides.
const servers = new Set();
function stopAll() {
  servers.forEach((child) => child.kill());
}
process.on('exit', stopAll);
for (const signal of ['SIGINT', 'SIGTERM', 'SIGHUP']) {
  process.once(signal, () => {
    stopAll();
    if (process.listenerCount(signal) === 0) process.kill(process.pid, signal);
  });
}

function serve(site) {
  const child = spawn(script, [site, '0'],
                      { stdio: ['ignore', 'pipe', 'inherit'], env: { ...process.env, VORLASK_SERVE_QUIET: '1' } });
  servers.add(child);
  child.once('exit', () => servers.delete(child));
  return new Promise((resolve, reject) => {
    // The server's first line is its address, once it listens.
    child.stdout.once('data', (line) => resolve({ url: line.toString().trim(), close: () => child.kill() }));
    child.once('exit', (code) => reject(new Error(`scripts/serve-web ended with ${code}`)));
    child.once('error', reject);
  });
}

module.exports = serve;
