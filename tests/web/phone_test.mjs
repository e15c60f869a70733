// The web page on a phone, in headless Chromium or Firefox ESR with a
// phone's metrics and a touch screen: what fits the first screen held
// either way, the frame against zephlet-replay's shot, the arrow pad's
// taps, holds, fingers and cancelled touches seen in the canvas, and no
// zoom or scroll from the pad.
//
// usage: as page_test.mjs.
import assert from 'node:assert/strict';

import {assertFrameIsReplayShot, engine, kSeed, onPage, showsCraftIn, sleep, steerThrough,
  within} from './page_harness.mjs';

// Portrait: the canvas, the pad and the view control on the first screen.
// Held sideways: the canvas between the pad's two halves. Either way the
// canvas as large as it fits, at most one CSS pixel per game pixel, and
// buttons of 48 CSS pixels at least, clear of the canvas; and the frame is
// the replay shot.
for (const [width, height, sideways] of [[360, 640], [390, 844], [640, 360, true], [844, 390, true]]) {
  onPage(`a ${width} x ${height} phone shows canvas, pad and view control on its first screen`,
      {seed: kSeed, phone: {width, height}}, async (page) => {
        await assertFrameIsReplayShot(page);
        const b = await page.evaluate(() => ({scrolled: scrollY,
          canvas: document.getElementById('window').getBoundingClientRect().toJSON(),
          boxes: [...document.querySelectorAll('#views, #pad button')].map((e) => e.getBoundingClientRect().toJSON())}));
        assert.equal(b.scrolled, 0);
        const buttons = b.boxes.slice(1);
        for (const box of [b.canvas, ...b.boxes]) {
          assert.ok(box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height,
              `off the screen: ${JSON.stringify(box)}`);
        }
        for (const button of buttons) {
          assert.ok(button.width >= 48 && button.height >= 48);
          const beside = button.right <= b.canvas.left || button.left >= b.canvas.right;
          assert.ok(beside || (!sideways && (button.bottom <= b.canvas.top || button.top >= b.canvas.bottom)),
              'a button over, above or below the canvas');
        }
        const [canvasWidth, canvasHeight] = [b.canvas.width - 4, b.canvas.height - 4];  // the 2-pixel edge
        assert.ok(canvasWidth <= 263 && canvasHeight <= 575, 'more than a CSS pixel a game pixel');
        const fits = Math.min(575, sideways ? height - 16 : height - 150);
        assert.ok(canvasHeight >= 0.9 * fits, `the canvas smaller than it fits: ${canvasHeight}`);
      });
}

// Each step, then the lane the craft must stand in, in both views. A finger
// moves the craft once however long it stays, a second finger on a held
// arrow presses nothing, the last to leave releases it; the canvas steers
// nothing.
onPage('the pad: a lane a tap, a held finger once, two fingers each', {phone: {width: 390, height: 844}},
    (page) => steerThrough(page, [['', 0], ['tap:Right', 32], ['tap:canvas touch:canvas@c wait:300 lift@c', 32],
      ['touch:Left@a', 0], ['touch:Left@b', 0], ['lift@a', 0], ['tap:Left', 0], ['lift@b touch:Right@a', 32],
      ['touch:Left@b', 0], ['lift@a lift@b tap:Right', 32], ['tap:Left', 0]]));

// An app switch or a gesture of the system's cancels the touch: the key is
// released, so the next tap moves the craft again.
onPage('a cancelled touch releases its key', {phone: {width: 390, height: 844},
  skip: engine === 'firefox' && 'WebDriver BiDi\'s input actions cannot cancel a touch'}, async (page) => {
  const {x, y, width, height} = await page.$eval('#pad [aria-label=Right]', (e) => e.getBoundingClientRect().toJSON());
  const touch = (type, touchPoints) => page.session.send('Input.dispatchTouchEvent', {type, touchPoints});
  await touch('touchStart', [{x: x + width / 2, y: y + height / 2, id: 1}]);
  await within(2000, 'Right held: lane 32', showsCraftIn(page, 32));
  await touch('touchCancel', []);
  await steerThrough(page, [['Left', 0], ['tap:Right', 32]]);
});

// Double taps, pinches and swipes on the pad and on the canvas.
onPage('the pad and the canvas never zoom or scroll the page', {phone: {width: 360, height: 640}}, async (page) => {
  await sleep(300);
  // Each stroke's fingers: where each starts beside the middle, and how far
  // it moves in each of eight steps, kept on the screen.
  const gestures = {'double tap': [[[0, 0, 0]], [[0, 0, 0]]], 'pinch': [[[-10, -8, -3], [10, 8, 3]]],
    'swipe up': [[[0, 0, -30]]], 'swipe down': [[[0, 0, 30]]]};
  for (const where of ['#pad [aria-label=Up]', '#window']) {
    const box = await page.$eval(where, (e) => e.getBoundingClientRect().toJSON());
    const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
    for (const [what, strokes] of Object.entries(gestures)) {
      for (const fingers of strokes) {
        const down = [];
        for (const [from] of fingers) {
          down.push(await page.touchscreen.touchStart(x + from, y));
        }
        for (let i = 1; i <= 8 && fingers[0][2]; ++i) {
          for (const [f, [from, dx, dy]] of fingers.entries()) {
            await down[f].move(x + from + dx * i, Math.min(635, Math.max(5, y + dy * i)));
          }
        }
        for (const finger of down) {
          await finger.end();
        }
      }
      await sleep(400);
      const view = await page.evaluate(() => [visualViewport.scale, scrollY, visualViewport.offsetTop,
        performance.getEntriesByType('navigation').length]);
      assert.deepEqual(view, [1, 0, 0, 1], `${what} on ${where}`);
    }
  }
  assert.equal(await page.evaluate(() => getSelection().toString()), '');
});
