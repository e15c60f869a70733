// The page's side of the browser layer: the canvas that stands for the
// window, its 2D context, and the start-up failure shown in the page.
mergeInto(LibraryManager.library, {
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

  // A whole number of screen pixels per canvas pixel keeps the picture
  // sharp; the size is fitted again when the pixel ratio changes (another
  // screen, the page zoomed).
  sizeCanvas__deps: ['$canvasWindow'],
  sizeCanvas: function(width, height) {
    var canvas = canvasWindow.canvas;
    canvas.width = width;
    canvas.height = height;
    function fit() {
      var ratio = window.devicePixelRatio || 1;
      var scale = Math.max(1, Math.round(ratio));
      canvas.style.width = (width * scale / ratio) + 'px';
      canvas.style.height = (height * scale / ratio) + 'px';
      matchMedia('(resolution: ' + ratio + 'dppx)').addEventListener('change', fit, {once: true});
    }
    fit();
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

  // One ImageData over the pixels in the wasm memory, made again only if
  // they move or change size: the frame goes to the canvas in one copy.
  putCanvasPixels__deps: ['$canvasWindow'],
  putCanvasPixels: function(pixels, width, height) {
    var image = canvasWindow.image;
    if (!image || image.width !== width || image.height !== height ||
        image.data.buffer !== HEAPU8.buffer || image.data.byteOffset !== pixels) {
      var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
      image = canvasWindow.image = new ImageData(bytes, width, height);
    }
    canvasWindow.context.putImageData(image, 0, 0);
  },

  fillCanvasWhite__deps: ['$canvasWindow'],
  fillCanvasWhite: function(left, top, right, bottom) {
    var context = canvasWindow.context;
    context.fillStyle = '#ffffff';
    context.fillRect(left, top, right - left, bottom - top);
  },
});
