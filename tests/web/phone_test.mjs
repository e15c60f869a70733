// The web page on a phone, in headless Chromium or Firefox ESR with a
// phone's metrics and a touch screen: what fits the first screen held
// either way, the frame against zephlet-replay's shot, the arrow pad's
// taps, holds, fingers and cancelled touches seen in the canvas, and no
// zoom or scroll from the pad.
//
// usage: as page_test.mjs.
import assert from 'node:assert/strict';

import {assertFrameIsReplayShot, engine, kSeed, onPage, sleep, steerThrough} from './page_harness.mjs';

// Portrait: the canvas, the pad and the view control on the first screen.
// Held sideways: the canvas between the pad's two halves. Either way the
// canvas as large as it fits, at most one CSS pixel per game pixel, and
// buttons of 48 CSS pixels at least, clear of the canvas; and the frame is
// the replay shot.
for (const [width, height, sideways] of [[360, 640], [390, 844], [640, 360, true], [844, 390, true]]) {
  onPage(`a ${width} x ${height} phone shows canvas, pad and view control on its first screen`,
      {seed: kSeed, phone: {width, height}}, async (page) => {
        await assertFrameIsReplayShot(page);
        const [scrolled, canvas, ...boxes] = await page.evaluate(() => [scrollY, ...['#window', '#views', '#pad button']
          .flatMap((s) => [...document.querySelectorAll(s)]).map((e) => e.getBoundingClientRect().toJSON())]);
        for (const [i, box] of [canvas, ...boxes].entries()) {
          assert.ok(!scrolled && box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height,
              `scrolled ${scrolled} or off the screen: ${JSON.stringify(box)}`);
          const clear = box.right <= canvas.left || box.left >= canvas.right ||
              (!sideways && (box.bottom <= canvas.top || box.top >= canvas.bottom));
          assert.ok(i < 2 || (box.width >= 48 && box.height >= 48 && clear), 'a button small or over the canvas');
        }
        // The canvas less its 2-pixel edge, and the height it fits.
        const [w, h, fits] = [canvas.width - 4, canvas.height - 4, Math.min(575, height - (sideways ? 16 : 150))];
        assert.ok(w <= 263 && h <= 575 && h >= 0.9 * fits, `the canvas ${w} x ${h} where ${fits} fits, or too large`);
      });
}

// Each step, then the lane the craft must stand in, in both views. A finger
// moves the craft once however long it stays, a second finger on a held
// arrow presses nothing, the last to leave releases it, and so does a touch
// cancelled; the canvas steers nothing. WebDriver BiDi's input actions
// cannot cancel a touch.
onPage('the pad: a lane a tap, a held finger once, two fingers each', {phone: {width: 390, height: 844}},
    (page) => steerThrough(page, [['', 0], ['tap:Right', 32], ['tap:canvas touch:canvas@c wait:300 lift@c', 32],
      ['touch:Left@a', 0], ['touch:Left@b', 0], ['lift@a', 0], ['tap:Left', 0], ['lift@b touch:Right@a', 32],
      ['touch:Left@b', 0], ['lift@a lift@b tap:Right', 32], ['tap:Left', 0],
      ...(engine === 'chromium' ? [['cancel:Right', 32], ['Left', 0], ['tap:Right', 32]] : [])]));

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
        // One finger after another, each a touch of its own.
        const down = await fingers.reduce(async (touches, [from]) =>
          [...await touches, await page.touchscreen.touchStart(x + from, y)], []);
        for (let i = 1; i <= 8 && fingers[0][2]; ++i) {
          for (const [f, [from, dx, dy]] of fingers.entries()) {
            await down[f].move(x + from + dx * i, Math.min(635, Math.max(5, y + dy * i)));
          }
        }
        await down.reduce((ended, finger) => ended.then(() => finger.end()), Promise.resolve());
      }
      await sleep(400);
      const view = await page.evaluate(() => [visualViewport.scale, scrollY, visualViewport.offsetTop,
        performance.getEntriesByType('navigation').length]);
      assert.deepEqual(view, [1, 0, 0, 1], `${what} on ${where}`);
    }
  }
  assert.equal(await page.evaluate(() => getSelection().toString()), '');
});
