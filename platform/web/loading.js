// The page's side of loading, run at the top of vorlask.js, before the program: the progress of
// the first download, the music's files when the game first asks for them, and the service
// worker that keeps the build for visits without network. The page (page.js) gives the
// sizes to expect and the list of the music's files; site.cmake writes them in. The hooks the
// program calls here are listed in platform/web/page.h.
(function () {
  'use strict';

  function element(id) {
    return document.getElementById(id);
  }

  // Follows a response's body as it arrives; the response handed on carries the same bytes.
  function counting(response, type, seen) {
    if (!response.body || typeof ReadableStream !== 'function') return response;
    var reader = response.body.getReader();
    var total = 0;
    var body = new ReadableStream({
      pull: function (controller) {
        return reader.read().then(function (part) {
          if (part.done) {
            controller.close();
            return;
          }
          total += part.value.length;
          seen(total);
          controller.enqueue(part.value);
        });
      },
      cancel: function (reason) {
        return reader.cancel(reason);
      },
    });
    return new Response(body, { headers: { 'Content-Type': type } });
  }

  function fetched(url) {
    return fetch(url, { credentials: 'same-origin' }).then(function (response) {
      if (!response.ok) throw new Error('the server answered ' + response.status + ' for ' + url);
      return response;
    }, function () {
      throw new Error(url + ' cannot be fetched: the network failed');
    });
  }

  // ---- The first download: the program and the data of the first board ----
  // Each file counts with its compressed size, the share of the line it takes; the program
  // text has arrived by the time this runs.
  var first = Module.vorlaskFirstDownload || {};
  var done = { 'vorlask.js': 1 };

  function showProgress() {
    var bar = element('loading-bar');
    var text = element('loading-text');
    if (!bar || !text) return;
    var all = 0;
    var arrived = 0;
    for (var name in first) {
      all += first[name][1];
      arrived += first[name][1] * Math.min(1, done[name] || 0);
    }
    if (!all) return;
    bar.max = all;
    bar.value = arrived;
    // A share, not bytes: what crosses the line depends on the server's compression, and the
    // page sees only what has been unpacked.
    text.textContent = arrived < all
      ? 'Loading Vorlask: ' + Math.floor(100 * arrived / all) + ' %'
      : 'Starting Vorlask';
  }
  showProgress();

  // The program is compiled while it arrives, as the browser would, and counted meanwhile.
  Module.instantiateWasm = function (imports, receive) {
    var name = 'vorlask.wasm';
    var size = first[name] ? first[name][0] : 0;
    fetched(Module.locateFile(name)).then(function (response) {
      response = counting(response, 'application/wasm', function (bytes) {
        if (size) done[name] = bytes / size;
        showProgress();
      });
      if (WebAssembly.instantiateStreaming) return WebAssembly.instantiateStreaming(response, imports);
      return response.arrayBuffer().then(function (bytes) {
        return WebAssembly.instantiate(bytes, imports);
      });
    }).then(function (result) {
      done[name] = 1;
      showProgress();
      receive(result.instance, result.module);
    }, function (error) {
      abort('the program cannot start: ' + error.message);
    }).catch(function () {});
    return {};
  };

  // The data's download reports through here.
  Module.setStatus = function () {
    var downloads = Module.dataFileDownloads || {};
    for (var url in downloads) {
      var d = downloads[url];
      if (d.total) done['vorlask.data'] = d.loaded / d.total;
    }
    showProgress();
  };
  Module.monitorRunDependencies = function (left) {
    if (left === 0) done['vorlask.data'] = 1;
    showProgress();
  };

  // ---- The board is on screen ----
  Module.vorlask.boardShown = function () {
    var loading = element('loading');
    if (loading) loading.hidden = true;
  };

  // ---- The game waits for input for the first time ----
  Module.vorlask.atRest = function () {
    // Only now, so that keeping the build for later visits competes neither with the first
    // board for the line nor with the speed measurement for the processor.
    if ('serviceWorker' in navigator) {
      navigator.serviceWorker.register('sw.js').catch(function (error) {
        console.warn('Vorlask cannot be kept for use without network: ' + error.message);
      });
    }
  };

  // ---- The music's files, fetched when the music is first switched on ----
  // One promise for all of them: '' once every file is in the page's file system, or what
  // went wrong. A failure is forgotten, so that the next start of the music tries again.
  var music = null;
  var musicIn = false;
  Module.vorlask.musicFetched = function () {
    return musicIn;
  };
  Module.vorlask.fetchMusic = function () {
    if (music) return music;
    var files = Module.vorlaskMusic || [];
    var notice = element('music-loading');
    var bar = element('music-bar');
    var all = 0;
    var seen = files.map(function (file) {
      all += file[2];
      return 0;
    });
    function showMusicProgress() {
      if (!bar) return;
      bar.max = all;
      bar.value = seen.reduce(function (a, b) {
        return a + b;
      }, 0);
    }
    if (notice) notice.hidden = false;
    showMusicProgress();
    music = Promise.all(files.map(function (file, i) {
      return fetched(Module.locateFile(file[0])).then(function (response) {
        return counting(response, 'application/octet-stream', function (bytes) {
          seen[i] = bytes;
          showMusicProgress();
        }).arrayBuffer();
      });
    })).then(function (contents) {
      // All or nothing: the game finds either every file or none.
      files.forEach(function (file, i) {
        var path = file[1];
        FS.mkdirTree(path.substring(0, path.lastIndexOf('/')));
        FS.writeFile(path, new Uint8Array(contents[i]));
      });
      musicIn = true;
      return '';
    }).catch(function (error) {
      music = null;
      return error.message || String(error);
    }).then(function (problem) {
      if (notice) notice.hidden = true;
      return problem;
    });
    return music;
  };

  // Every hook the program calls must be here, from the page or from above: a missing one is
  // told at once, not when the program first calls it.
  var facts = Module.vorlaskFacts || { hooks: [] };
  facts.hooks.forEach(function (hook) {
    if (typeof Module.vorlask[hook] !== 'function') {
      throw new Error('the page offers the program no hook ' + hook);
    }
  });
})();
