// The web page on a phone, in headless Chromium or Firefox ESR with a
// phone's metrics and a touch screen: what fits the first screen held
// either way, the arrow pad's taps, holds, fingers and cancelled touches
// seen in the canvas, no zoom or scroll from the pad, and the frame against
// zephlet-replay's shot.
//
// usage: as page_test.mjs.
import assert from 'node:assert/strict';
import {join} from 'node:path';
import {after, before, test} from 'node:test';
import {pathToFileURL} from 'node:url';

import {assertFrameIsReplayShot, craftInLane, engine, fixCalendar, launchBrowser, openPhone, padButton,
  readBmp, readFrame, sleep, steerThrough, within} from './page_harness.mjs';

const pageUrl = pathToFileURL(process.env.ZEPHLET_PAGE).href;
const resources = process.env.ZEPHLET_RESOURCES;
const craft = readBmp(join(resources, 'craft.bmp'));

let browser;
before(async () => {
  browser = await launchBrowser({touch: true});
});
after(async () => {
  await browser.close();
});

const kSeed = 1733000000;
const showsCraftIn = (page, lane) => async () => craftInLane(await readFrame(page), craft, lane);

// Boxes in CSS pixels, and whether one lies inside or apart from another.
const boxes = (page) => page.evaluate(() => {
  const box = (element) => {
    const r = element.getBoundingClientRect();
    return {left: r.left, top: r.top, right: r.right, bottom: r.bottom};
  };
  return {
    viewport: {left: 0, top: 0, right: innerWidth, bottom: innerHeight},
    canvas: box(document.getElementById('window')),
    views: box(document.getElementById('views')),
    buttons: [...document.querySelectorAll('#pad button')].map(box),
    scrolled: scrollY,
  };
});
const inside = (inner, outer) => inner.left >= outer.left && inner.top >= outer.top &&
    inner.right <= outer.right && inner.bottom <= outer.bottom;
const apart = (a, b) => a.right <= b.left || b.right <= a.left || a.bottom <= b.top ||
    b.bottom <= a.top;

// Portrait: the canvas, the pad and the view control on the first screen.
// Held sideways: the canvas between the pad's two halves. Either way the
// canvas as large as it fits, at most one CSS pixel per game pixel, and
// buttons of 48 CSS pixels at least, clear of the canvas.
for (const [width, height, sideways] of [[360, 640], [390, 844], [640, 360, true], [844, 390, true]]) {
  test(`a ${width} x ${height} phone shows canvas, pad and view control on its first screen`,
      async () => {
        const {page} = await openPhone(browser, pageUrl, {width, height});
        await sleep(300);
        const b = await boxes(page);
        assert.equal(b.scrolled, 0);
        for (const [what, box] of [['canvas', b.canvas], ['view control', b.views],
          ...b.buttons.map((button, i) => [`button ${i}`, button])]) {
          assert.ok(inside(box, b.viewport), `${what} off the screen: ${JSON.stringify(box)}`);
        }
        for (const button of b.buttons) {
          assert.ok(button.right - button.left >= 48 && button.bottom - button.top >= 48);
          assert.ok(apart(button, b.canvas), 'a button over the canvas');
          if (sideways) {
            assert.ok(button.right <= b.canvas.left || button.left >= b.canvas.right,
                'a button above or below the canvas');
          }
        }
        const canvasWidth = b.canvas.right - b.canvas.left - 4;  // the 2-pixel edge
        const canvasHeight = b.canvas.bottom - b.canvas.top - 4;
        assert.ok(canvasWidth <= 263 && canvasHeight <= 575, 'more than a CSS pixel a game pixel');
        const fits = Math.min(575, sideways ? height - 16 : height - 150);
        assert.ok(canvasHeight >= 0.9 * fits,
            `the canvas smaller than it fits: ${canvasHeight}`);
        await page.close();
      });
}

test('on a phone the frame is the replay shot of its tick', async () => {
  const {page} = await openPhone(browser, pageUrl,
      {width: 390, height: 844, before: fixCalendar, arg: kSeed});
  await assertFrameIsReplayShot(page, kSeed);
  await page.close();
});

// Each step, then the lane the craft must stand in, in both views. A step
// that moved the craft must not move it further, so each step waits a
// little longer after reaching its lane and looks again.
test('the pad: a lane a tap, a held finger once, two fingers each; the canvas nothing', async () => {
  const {page} = await openPhone(browser, pageUrl, {width: 390, height: 844});
  const touch = page.touchscreen;
  const tap = async (arrow) => (await touch.touchStart(...await padButton(page, arrow))).end();
  const held = {};
  const steps = [
    ['nothing yet', async () => {}, 0],
    ['a tap on Right', () => tap('Right'), 32],
    ['a tap and a held finger on the canvas', async () => {
      const [x, y] = await page.$eval('#window', (canvas) => {
        const box = canvas.getBoundingClientRect();
        return [box.x + box.width / 4, box.y + box.height / 2];
      });
      await (await touch.touchStart(x, y)).end();
      held.canvas = await touch.touchStart(x, y);
      await sleep(300);
      await held.canvas.end();
    }, 32],
    ['a finger held on Left', async () => {
      held.left = await touch.touchStart(...await padButton(page, 'Left'));
    }, 0],
    ['a second finger on Left too', async () => {
      held.second = await touch.touchStart(...await padButton(page, 'Left'));
    }, 0],
    ['the first finger off Left', () => held.left.end(), 0],
    ['a tap on Left with the second still there', () => tap('Left'), 0],
    ['a finger held on Right beside it', async () => {
      await held.second.end();
      held.left = await touch.touchStart(...await padButton(page, 'Left'));
      held.right = await touch.touchStart(...await padButton(page, 'Right'));
    }, 0],
    ['both lifted, a tap on Right', async () => {
      await held.left.end();
      await held.right.end();
      await tap('Right');
    }, 32],
    ['a tap on Left', () => tap('Left'), 0],
  ];
  await steerThrough(page, craft, steps);
  await page.close();
});

// An app switch or a gesture of the system's cancels the touch: the key is
// released, so the next tap moves the craft again.
test('a cancelled touch releases its key', {
  skip: engine === 'firefox' && 'WebDriver BiDi\'s input actions cannot cancel a touch',
}, async () => {
  const {page} = await openPhone(browser, pageUrl, {width: 390, height: 844});
  const [x, y] = await padButton(page, 'Right');
  await page.session.send('Input.dispatchTouchEvent',
      {type: 'touchStart', touchPoints: [{x, y, id: 1}]});
  await within(2000, 'Right held: lane 32', showsCraftIn(page, 32));
  await page.session.send('Input.dispatchTouchEvent', {type: 'touchCancel', touchPoints: []});
  await page.keyboard.press('ArrowLeft');
  await within(2000, 'Left: lane 0', showsCraftIn(page, 0));
  const again = await page.touchscreen.touchStart(x, y);
  await again.end();
  await within(2000, 'Right tapped again: lane 32', showsCraftIn(page, 32));
  await page.close();
});

// Quick taps, a pinch and a swipe on the pad and on the canvas.
test('the pad and the canvas never zoom or scroll the page', async () => {
  const {page} = await openPhone(browser, pageUrl, {width: 360, height: 640});
  await sleep(300);
  const canvas = await page.$eval('#window', (element) => {
    const box = element.getBoundingClientRect();
    return [box.x + box.width / 2, box.y + box.height / 2];
  });
  const touch = page.touchscreen;
  const height = await page.evaluate(() => innerHeight);
  const swipe = async ([x, y], dx, dy) => {
    dy = Math.max(5 - y, Math.min(height - 5 - y, dy));  // on the screen
    const finger = await touch.touchStart(x, y);
    for (let i = 1; i <= 8; ++i) {
      await finger.move(x + (dx * i) / 8, y + (dy * i) / 8);
    }
    await finger.end();
  };
  const pinch = async ([x, y]) => {
    const a = await touch.touchStart(x - 10, y);
    const b = await touch.touchStart(x + 10, y);
    for (let i = 1; i <= 8; ++i) {
      await a.move(x - 10 - 8 * i, y - 3 * i);
      await b.move(x + 10 + 8 * i, y + 3 * i);
    }
    await a.end();
    await b.end();
  };
  const doubleTap = async ([x, y]) => {
    for (let i = 0; i < 2; ++i) {
      await (await touch.touchStart(x, y)).end();
    }
  };
  for (const [where, at] of [['pad', await padButton(page, 'Up')], ['canvas', canvas]]) {
    for (const [what, act] of [['double tap', doubleTap], ['pinch', pinch],
      ['swipe up', (p) => swipe(p, 0, -250)], ['swipe down', (p) => swipe(p, 0, 250)]]) {
      await act(at);
      await sleep(400);
      const view = await page.evaluate(() => ({scale: visualViewport.scale, y: scrollY,
        top: visualViewport.offsetTop, loads: performance.getEntriesByType('navigation').length}));
      assert.deepEqual(view, {scale: 1, y: 0, top: 0, loads: 1}, `${what} on the ${where}`);
    }
  }
  assert.equal(await page.evaluate(() => getSelection().toString()), '');
  await page.close();
});
