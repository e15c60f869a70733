// The page's side of the browser layer (page_calls.h): the sleep that hands
// the thread back, the canvas that stands for the window, the start-up
// failure, the arrow pad, the gamepads and the view control.
mergeInto(LibraryManager.library, {
  // Hands a string to a call into the program, on its stack.
  $withString: function(text, call) {
    var stack = stackSave();
    var result = call(allocateUTF8OnStack(text));
    stackRestore(stack);
    return result;
  },

  // A timer takes whole milliseconds and wakes the page a few tenths of one
  // late, which lengthens every frame. Where it runs late by more than a
  // third of one (a busy machine), the sleep asks it for a millisecond less
  // and waits out the rest in short turns, each after a message to itself so
  // that the browser does not hold them to its 4 ms minimum for timers set
  // from timers. The turns cost time of the thread, so a timer that is
  // nearly on time is left to itself. It never wakes before the time asked.
  $frameSleep: {lateness: 0, channel: null, turn: null},
  sleepAtLeast__deps: ['$frameSleep'],
  sleepAtLeast: function(milliseconds) {
    Asyncify.handleSleep(function(wakeUp) {
      var asked = performance.now();
      var deadline = asked + milliseconds;
      if (!frameSleep.channel) {
        frameSleep.channel = new MessageChannel();
        frameSleep.channel.port1.onmessage = function() { setTimeout(frameSleep.turn, 0); };
      }
      function finish() {
        if (performance.now() >= deadline) {
          wakeUp();
          return;
        }
        frameSleep.turn = finish;
        frameSleep.channel.port2.postMessage(0);
      }
      var delay = frameSleep.lateness > 0.33 ? Math.max(0, milliseconds - 1) : milliseconds;
      setTimeout(function() {
        // A hidden page's timers come a second late: no lateness to learn.
        var late = Math.min(Math.max(performance.now() - asked - delay, 0), 2);
        frameSleep.lateness += (late - frameSleep.lateness) / 16;
        finish();
      }, delay);
    });
  },

  $canvasWindow: {canvas: null, context: null, image: null},

  openCanvas__deps: ['$canvasWindow'],
  openCanvas: function() {
    var canvas = document.getElementById('window');
    var context = canvas && canvas.getContext('2d', {alpha: false});
    if (!context) {
      return 0;
    }
    canvasWindow.canvas = canvas;
    canvasWindow.context = context;
    return 1;
  },

  closeCanvas__deps: ['$canvasWindow'],
  closeCanvas: function() {
    canvasWindow.canvas = canvasWindow.context = canvasWindow.image = null;
  },

  // On a desktop, a whole number of screen pixels per canvas pixel keeps the
  // picture sharp. Where the page has its arrow pad (a touch screen) the
  // canvas takes the largest size its place in the layout allows, but never
  // more than one CSS pixel per canvas pixel: a larger pair would push the
  // views further apart than the eyes can fuse. Fitted again when the pixel
  // ratio changes (another screen, the page zoomed) or the place does (a
  // rotation).
  sizeCanvas__deps: ['$canvasWindow'],
  sizeCanvas: function(width, height) {
    var canvas = canvasWindow.canvas;
    canvas.width = width;
    canvas.height = height;
    var place = canvas.parentElement;
    var touch = matchMedia('(any-pointer: coarse)');
    function fit() {
      var ratio = window.devicePixelRatio || 1;
      var scale = Math.max(1, Math.round(ratio)) / ratio;
      if (touch.matches) {
        var edge = canvas.offsetWidth - canvas.clientWidth;
        scale = Math.min(1, (place.clientWidth - edge) / width, (place.clientHeight - edge) / height);
        scale = Math.max(scale, 0);
      }
      canvas.style.width = (width * scale) + 'px';
      canvas.style.height = (height * scale) + 'px';
    }
    function fitOnNewRatio() {
      fit();
      matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)')
          .addEventListener('change', fitOnNewRatio, {once: true});
    }
    touch.addEventListener('change', fit);
    new ResizeObserver(fit).observe(place);
    fitOnNewRatio();
  },

  pageHidden: function() {
    return document.hidden ? 1 : 0;
  },

  showFailureBox: function(caption, text) {
    var box = document.getElementById('failure');
    box.querySelector('.caption').textContent = UTF8ToString(caption);
    box.querySelector('.text').textContent = UTF8ToString(text);
    box.hidden = false;
  },

  // One ImageData over the picture in the wasm memory, made again only if it
  // moves or changes size. An ImageData's rows are packed, so it spans the
  // whole picture, and the dirty rectangle picks the columns shown.
  putCanvasPixels__deps: ['$canvasWindow'],
  putCanvasPixels: function(pixels, pictureWidth, pictureHeight, left, right, from, height) {
    var image = canvasWindow.image;
    if (!image || image.width !== pictureWidth || image.height !== pictureHeight ||
        image.data.buffer !== HEAPU8.buffer || image.data.byteOffset !== pixels) {
      var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, pictureWidth * pictureHeight * 4);
      image = canvasWindow.image = new ImageData(bytes, pictureWidth, pictureHeight);
    }
    canvasWindow.context.putImageData(image, left - from, 0, from, 0, right - left, height);
  },

  // A finger keeps its button (the pointer is captured) until it lifts or the
  // browser cancels its touch; either ends the press, and a lost capture
  // after a lift ends nothing more. The page takes the pad's touches whole:
  // no scrolling, zooming, selecting or menu starts on it.
  listenToPad__deps: ['$canvasWindow', '$withString'],
  listenToPad: function() {
    var pad = document.getElementById('pad');
    if (!pad) {
      return;
    }
    pad.addEventListener('pointerdown', function(event) {
      var button = event.target.closest('[data-arrow]');
      if (!button) {
        return;
      }
      event.preventDefault();
      button.setPointerCapture(event.pointerId);
      withString(button.dataset.arrow, function(arrow) {
        _padTouch(event.pointerId, arrow, 1);
      });
    });
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function(type) {
      pad.addEventListener(type, function(event) {
        withString('', function(none) {
          _padTouch(event.pointerId, none, 0);
        });
      });
    });
    pad.addEventListener('contextmenu', function(event) {
      event.preventDefault();
    });
    // A long press on the canvas opens no menu on a touch screen either; a
    // desktop keeps the canvas's menu.
    var touch = matchMedia('(any-pointer: coarse)');
    canvasWindow.canvas.addEventListener('contextmenu', function(event) {
      if (touch.matches) {
        event.preventDefault();
      }
    });
  },

  // The browser shows the page a pad (gamepadconnected) once one of its
  // buttons is pressed; the pads are read from then on until a frame finds
  // none, since asking for them keeps the browser polling its devices. The
  // browser may have no gamepads, or refuse them (a frame whose permissions
  // policy leaves them out): then every pad is absent, and after the first
  // refusal they are not asked for again. Whatever a pad reports that is
  // not a number counts as nothing pressed.
  $gamepads: {usable: null, shown: false},
  readGamepads__deps: ['$gamepads'],
  readGamepads: function(count) {
    if (gamepads.usable === null) {
      var policy = document.featurePolicy;
      gamepads.usable = typeof navigator.getGamepads === 'function' &&
          !(policy && !policy.allowsFeature('gamepad'));
      addEventListener('gamepadconnected', function() {
        gamepads.shown = gamepads.usable;
      });
    }
    if (!gamepads.shown) {
      return;
    }
    var pads = [];
    try {
      pads = navigator.getGamepads() || [];
    } catch (refused) {
      gamepads.usable = false;
    }
    var number = function(value) {
      return typeof value === 'number' ? value : NaN;
    };
    gamepads.shown = false;
    for (var i = 0; i < count; ++i) {
      var pad = pads[i];
      var dpad = 0;
      var x = 0;
      var y = 0;
      if (pad && pad.connected !== false) {
        var buttons = (pad.mapping === 'standard' && pad.buttons) || [];
        for (var b = 0; b < 4; ++b) {
          dpad |= buttons[12 + b] && buttons[12 + b].pressed === true ? 1 << b : 0;
        }
        var axes = pad.axes || [];
        x = number(axes[0]);
        y = number(axes[1]);
        gamepads.shown = gamepads.usable;
      }
      _gamepadState(i, dpad, x, y);
    }
  },

  // Nothing is stored: the fragment is the only memory of the choice, and
  // replacing it adds no history. The arrows keep steering with the control
  // focused: the page's key listener keeps them from the browser, so they
  // never move the choice.
  listenToViewControl__deps: ['$withString'],
  listenToViewControl: function() {
    var control = document.getElementById('views');
    if (!control) {
      return;
    }
    function show(name) {
      return withString(name, _showView) !== 0;
    }
    // Read as it stands, on opening and on every change alike: the views'
    // names need no decoding, and anything else shows the parallel view.
    function showFragment() {
      var match = /^#view=(.*)$/.exec(location.hash);
      var name = match && show(match[1]) ? match[1] : 'parallel';
      show(name);
      control.querySelectorAll('input[name=view]').forEach(function(choice) {
        choice.checked = choice.value === name;
      });
    }
    control.addEventListener('change', function(event) {
      var name = event.target.value;
      if (show(name)) {
        var address = location.href.split('#')[0];
        history.replaceState(history.state, '', name === 'parallel' ? address : '#view=' + name);
      }
    });
    addEventListener('hashchange', showFragment);
    showFragment();
  },

  fillCanvasWhite__deps: ['$canvasWindow'],
  fillCanvasWhite: function(left, top, right, bottom) {
    var context = canvasWindow.context;
    context.fillStyle = '#ffffff';
    context.fillRect(left, top, right - left, bottom - top);
  },
});
