// The page's own script, written into the page by the build (site.cmake) with what it must
// know of the program and this build filled in: the picture fitted to the window, the page's
// controls, the words for a screen reader, the audio, and the hooks the program calls.

(function () {
  // What the page must know of the program before it arrives, written by the build from the
  // program's own tables (platform/web/page_facts.cpp): the picture's size and its board
  // part, the key each control stands for, the hooks the page offers the program.
  var FACTS = @VORLASK_PAGE_FACTS@;
  var canvas = document.getElementById('canvas');
  canvas.width = FACTS.picture.w;
  canvas.height = FACTS.picture.h;
  var stage = document.getElementById('stage');
  var view = document.getElementById('view');
  var controls = document.getElementById('controls');
  var side = document.getElementById('side');
  var problem = document.getElementById('problem');
  var audio = document.getElementById('audio');
  var buttons = Array.prototype.slice.call(controls.querySelectorAll('button'));
  buttons.forEach(function (button) { button.dataset.key = FACTS.keys[button.dataset.command]; });

  function showProblem(text) {
    document.getElementById('loading').hidden = true;
    problem.textContent = problem.hidden ? text : problem.textContent + '\n' + text;
    problem.hidden = false;
  }

  // ---- The picture, as large as the window allows ----
  // The parts of the game's picture the page may show: all of it, or the board with its
  // coordinates, without the side panel.
  var WHOLE = FACTS.picture;
  var BOARD = FACTS.board;
  // The smallest target a thumb hits reliably, about 9 mm, in CSS pixels; and, in the
  // picture's pixels, a board square and a panel box's height.
  var THUMB = 34, SQUARE = FACTS.square, BOX = FACTS.box;
  var keyboardInControls = false;

  // Whole device pixels for each pixel of the picture keep every line and letter crisp;
  // they are kept where they fill nine tenths of the room and still leave thumb-sized
  // targets. Otherwise the picture takes all the room: on dense screens its uneven pixels
  // do not show, and below one device pixel a pixel the browser blends rather than drops
  // lines.
  function scaleFor(fit, smallest) {
    var ratio = window.devicePixelRatio || 1;
    var whole = Math.floor(fit * ratio + 1e-6) / ratio;
    return whole > 0 && whole >= 0.9 * fit && whole * smallest >= THUMB ? whole : fit;
  }

  // Lays the stage out as the layout says, and gives the scale at which its part of the
  // picture fits in the room that the side (the line, and the page's controls unless the
  // whole picture is shown) leaves below or beside it.
  function fitIn(room, layout) {
    stage.className = layout;
    document.body.classList.toggle('part', layout !== 'whole');
    var part = layout === 'whole' ? WHOLE : BOARD;
    var w = room.w, h = room.h;
    if (layout.indexOf('beside') < 0) h -= side.offsetHeight + 8;
    else if (side.offsetHeight <= h) w -= side.offsetWidth + parseFloat(getComputedStyle(stage).columnGap);
    else w = 0;
    var fit = Math.max(0, Math.min(w / part.w, h / part.h));
    return { layout: layout, part: part, scale: scaleFor(fit, part === WHOLE ? BOX : SQUARE) };
  }

  // The whole picture where its panel's boxes are thumb-sized. Elsewhere (a phone in
  // either hold, a small window) the board alone, larger, with the page's own controls
  // below or beside it, whichever leaves the board larger; where neither leaves thumb-sized
  // squares, beside it in a narrower column. The page's controls stand in for the panel
  // while the keyboard is in them, so that they can be seen: over the panel on the whole
  // picture.
  function fitPage() {
    var room = { w: stage.clientWidth, h: stage.clientHeight };
    if (!room.w || !room.h) return;
    var best = fitIn(room, 'whole');
    if (best.scale * BOX < THUMB) {
      var below = fitIn(room, 'below'), beside = fitIn(room, 'beside');
      best = beside.scale > below.scale ? beside : below;
      if (best.scale * SQUARE < THUMB) {
        var narrow = fitIn(room, 'beside narrow');
        if (narrow.scale > best.scale) best = narrow;
      }
    }
    var s = best.scale, part = best.part;
    stage.className = best.layout + (keyboardInControls && part === WHOLE ? ' keyed' : '');
    document.body.classList.toggle('part', part === BOARD);
    view.style.width = part.w * s + 'px';
    view.style.height = part.h * s + 'px';
    canvas.style.setProperty('--board-width', WHOLE.w * s + 'px');
    canvas.style.setProperty('--board-height', WHOLE.h * s + 'px');
    canvas.style.left = -part.x * s + 'px';
    canvas.style.top = -part.y * s + 'px';
    canvas.classList.toggle('sharp', s * (window.devicePixelRatio || 1) >= 1);
    placeSquares(part, s);
    placeControls(part, s);
    canvas.setAttribute('aria-label', part === BOARD ? 'The board of Vorlask'
                                                     : 'The board and the side panel of Vorlask');
  }
  // Over the picture's panel while the keyboard is in them on the whole picture; in the
  // flow of the page otherwise.
  function placeControls(part, s) {
    var keyed = stage.classList.contains('keyed'), p = FACTS.panel;
    controls.style.left = keyed ? view.offsetLeft + (p.x - part.x) * s + 'px' : '';
    controls.style.top = keyed ? view.offsetTop + (p.y - part.y) * s + 'px' : '';
    controls.style.width = keyed ? p.w * s + 'px' : '';
    controls.style.height = keyed ? p.h * s + 'px' : '';
  }
  // Fitted after the browser's layout rather than inside it, since the fit itself may move
  // the lines around the stage.
  var fitting = 0;
  new ResizeObserver(function () {
    if (!fitting) fitting = requestAnimationFrame(function () { fitting = 0; fitPage(); });
  }).observe(stage);
  fitPage();
  function watchDensity() {
    window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)')
      .addEventListener('change', function () { fitPage(); watchDensity(); }, { once: true });
  }
  watchDensity();
  controls.addEventListener('focusin', function () {
    if (!keyboardInControls) { keyboardInControls = true; fitPage(); }
  });
  controls.addEventListener('focusout', function (event) {
    if (controls.contains(event.relatedTarget)) return;
    keyboardInControls = false;
    fitPage();
  });

  // ---- The page's own controls: the panel's options and its start box ----
  var shown = null;
  var said = document.getElementById('said');
  var MODES = ['', 'Play against a friend.', 'Play against the hunters.',
               'Play against the wolf.'];
  var STARTS = ['', 'The wolf starts on c3.', 'The wolf starts on d4.'];
  function onOff(name, on) { return name + (on ? ' on.' : ' off.'); }

  // Says what changed, in the one live region: sentences, and the Russian words of a result
  // marked as Russian.
  function say(sentences, result) {
    said.textContent = sentences.join(' ');
    if (!result) return;
    var russian = document.createElement('span');
    russian.lang = 'ru';
    russian.textContent = result[0];
    said.append(said.textContent ? ' ' : '', russian, ' ' + result[1]);
  }

  // The game's options and result after each event that changed them: the controls show
  // them, and a screen reader hears what changed.
  function showState(state) {
    var before = shown;
    shown = state;
    buttons.forEach(function (button) {
      var d = button.dataset;
      if (d.mode) button.setAttribute('aria-pressed', String(state.mode === Number(d.mode)));
      if (d.start) button.setAttribute('aria-pressed', String(state.start === Number(d.start)));
      if ('music' in d) button.setAttribute('aria-pressed', String(state.music));
      if ('animate' in d) button.setAttribute('aria-pressed', String(state.animate));
      button.disabled = false;
    });
    var result = document.getElementById('result');
    result.textContent = '';
    if (!state.active) {
      var russian = document.createElement('span');
      russian.lang = 'ru';
      russian.textContent = state.result[0];
      result.append(russian, ' ' + state.result[1]);
    }
    document.body.classList.toggle('game-over', !state.active);
    showSquares(state);
    if (!before) return;
    var news = [];
    if (state.mode !== before.mode) news.push(MODES[state.mode] || '');
    if (state.start !== before.start) news.push(STARTS[state.start] || '');
    if (state.music !== before.music) news.push(onOff('Music', state.music));
    if (state.animate !== before.animate) news.push(onOff('Animation', state.animate));
    news = news.concat(state.news);
    var ended = !state.active && before.active;
    if (news.length || ended) say(news, ended ? state.result : null);
  }

  // ---- The board for a screen reader: a grid of its 64 squares, each named by the game,
  // the focus following the game's cursor, so that the arrows move both ----
  var grid = document.getElementById('grid');
  var cells = [];
  for (var row = 0; row < 8; ++row) {
    var line = document.createElement('div');
    line.setAttribute('role', 'row');
    for (var col = 0; col < 8; ++col) {
      var cell = document.createElement('div');
      cell.setAttribute('role', 'gridcell');
      cell.tabIndex = -1;
      cell.dataset.row = 2 + row;
      cell.dataset.col = 2 + col;
      // A screen reader's activation (its double tap) is a tap on the square.
      cell.addEventListener('click', function (event) {
        var d = event.currentTarget.dataset;
        if (Module[FACTS.squareCommand]) Module[FACTS.squareCommand](Number(d.row), Number(d.col));
      });
      line.append(cell);
      cells.push(cell);
    }
    grid.append(line);
  }
  // Space on a square picks up or puts down, as Enter does.
  grid.addEventListener('keydown', function (event) {
    if (event.key !== ' ') return;
    event.preventDefault();
    event.stopPropagation();
    if (Module[FACTS.command]) Module[FACTS.command](FACTS.enter);
  }, true);
  function placeSquares(part, s) {
    var q = FACTS.squares;
    (cells || []).forEach(function (cell, i) {
      cell.style.left = (q.x + (i % 8) * q.pitch - part.x) * s + 'px';
      cell.style.top = (q.y + Math.floor(i / 8) * q.pitch - part.y) * s + 'px';
      cell.style.width = cell.style.height = q.size * s + 'px';
    });
  }
  function showSquares(state) {
    var inGrid = grid.contains(document.activeElement);
    cells.forEach(function (cell, i) {
      cell.setAttribute('aria-label', state.squares[i]);
      cell.tabIndex = i === state.cursor ? 0 : -1;
    });
    if (inGrid && document.activeElement !== cells[state.cursor]) cells[state.cursor].focus();
  }
  fitPage();

  // A control sends the key it stands for into the game's queue of input, so that it is
  // handled in turn, exactly as the key would be.
  buttons.forEach(function (button) {
    button.addEventListener('click', function () {
      if (Module[FACTS.command]) Module[FACTS.command](Number(button.dataset.key));
    });
  });
  // A click or a tap on a control leaves the keyboard where it was, with the game.
  controls.addEventListener('mousedown', function (event) { event.preventDefault(); });
  // The game takes every key it is given, Tab too; Tab is left to the page, to move the
  // focus, and Enter and Space on a focused control press that control, not the board.
  ['keydown', 'keypress', 'keyup'].forEach(function (type) {
    window.addEventListener(type, function (event) {
      var pressing = (event.key === 'Enter' || event.key === ' ') &&
                     controls.contains(event.target);
      if (event.key === 'Tab' || pressing) event.stopPropagation();
    }, true);
  });

  // The browser keeps a page's sound off until the player's first key or click; the music
  // waits for it, and the page says so. While no music plays the audio rests, so that an
  // idle page costs what a blank one does; the browser's own wake on the first gesture
  // does not start it again.
  // Once the person has pressed or tapped, the page's own resume of the resting audio is
  // allowed and is under way: saying that the music waits would flash a line for a moment and
  // move the controls under the finger. A resume that has not come within a second is taken
  // to wait for the person after all (a browser may want it inside the gesture itself).
  var musicPlays = false;
  var resuming = false;
  function quietAudio(context) {
    var resting = !musicPlays && context.state === 'running';
    if (resting) context.suspend();
    var activation = navigator.userActivation;
    var allowed = resuming && (!activation || activation.hasBeenActive);
    audio.hidden = !musicPlays || context.state !== 'suspended' || allowed;
  }
  function playMusic(on) {
    musicPlays = on;
    var context = Module.vorlaskAudioContext;
    if (!context) return;
    if (on && context.state === 'suspended') {
      resuming = true;
      var settled = function () {
        resuming = false;
        quietAudio(context);
      };
      context.resume().catch(function () {}).then(settled);
      setTimeout(settled, 1000);
    }
    quietAudio(context);
  }
  var BaseAudioContext = window.AudioContext || window.webkitAudioContext;
  if (BaseAudioContext) {
    var WatchedAudioContext = function (options) {
      var context = new BaseAudioContext(options);
      var update = function () { quietAudio(context); };
      context.addEventListener('statechange', update);
      setTimeout(update, 300);
      Module.vorlaskAudioContext = context;
      return context;
    };
    WatchedAudioContext.prototype = BaseAudioContext.prototype;
    window.AudioContext = WatchedAudioContext;
    if (window.webkitAudioContext) window.webkitAudioContext = WatchedAudioContext;
  }

  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
  window.addEventListener('error', function (event) {
    showProblem('Vorlask stopped: ' + (event.message || 'an error in the page'));
  });
  window.addEventListener('unhandledrejection', function (event) {
    showProblem('Vorlask stopped: ' + event.reason);
  });

  window.Module = {
    canvas: canvas,
    // This build's folder holds everything but the page (site.cmake).
    locateFile: function (name) { return '@VORLASK_BUILD@/' + name; },
    vorlaskFirstDownload: @VORLASK_FIRST_DOWNLOAD@,
    vorlaskMusic: @VORLASK_MUSIC@,
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); },
    vorlaskFacts: FACTS,
    // The hooks the program calls (platform/web/page.h); loading.js adds its own.
    vorlask: {
      showError: showProblem,
      showState: showState,
      music: playMusic,
      ended: function (status) {
        document.body.classList.add('over');
        audio.hidden = true;
        buttons.forEach(function (button) { button.disabled = true; });
        document.getElementById('loading').hidden = true;
        document.getElementById('ended').hidden = false;
        document.getElementById('again').focus();
        if (status !== 0 && problem.hidden) showProblem('Vorlask could not start.');
      },
    },
    onAbort: function (what) { showProblem('Vorlask stopped: ' + what); },
  };
})();
