// The page's tests' own steps: its frame read from the canvas and held to
// the replay's shot, the craft found in it, and the steps that steer it,
// written as data; the browsers come from tools/web/browser.mjs.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {after, test} from 'node:test';

import {engine, kSeed, launchBrowser, open, pagePath, pageUrl, sleep} from '../../tools/web/browser.mjs';

export {engine, kSeed, open, pagePath, pageUrl, sleep};

// A test on a fresh tab of `url` (the page unless given), opened with
// open's options, in a desktop's browser or with `phone` a touch screen's;
// each browser launched when first needed.
const browsers = {};
after(() => Promise.all(Object.values(browsers).map(async (browser) => (await browser).close())));
export const onPage = (name, {skip, url = pageUrl, ...options}, body) => test(name, {skip}, async () => {
  const browser = await (browsers[Boolean(options.phone)] ||= launchBrowser({touch: Boolean(options.phone)}));
  const {page, seen} = await open(browser, url, options);
  await body(page, seen, browser);
  await page.close();
});

// Polls `check` until it gives a true value, or fails after `ms`.
export async function within(ms, what, check) {
  for (const deadline = Date.now() + ms; ; await sleep(20)) {
    const value = await check();
    if (value || Date.now() > deadline) {
      return value || assert.fail(`not within ${ms} ms: ${what}`);
    }
  }
}

// The canvas as RGB bytes, rows top-down: one frame, since the page's script
// cannot run while this does. With the calendar fixed, also the frame's
// tick: every paint runs one tick and presents one frame. `at` is the page
// or a frame of it.
export async function readFrame(at) {
  const {width, height, base64, tick} = await at.evaluate(() => {
    const canvas = document.getElementById('window');
    const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const rgb = rgba.filter((_, i) => i % 4 !== 3);
    const text = Array.from({length: Math.ceil(rgb.length / 0x8000)},
        (_, i) => String.fromCharCode.apply(null, rgb.subarray(i * 0x8000, (i + 1) * 0x8000))).join('');
    return {width: canvas.width, height: canvas.height, base64: btoa(text), tick: window.framesPresented};
  });
  return {width, height, tick, rgb: Buffer.from(base64, 'base64')};
}

// For a page opened with the seed: waits past tick 130, where the first row
// (spawned at tick 90) is well in view, and past fromTick (a frame painted
// after a change the caller made); then the frame must equal
// zephlet-replay's shot of its tick, with the canvas's client area.
export async function assertFrameIsReplayShot(page, view = 'parallel', fromTick = 0) {
  await within(5000, 'tick 130', () => page.evaluate((t) => window.framesPresented >= t, Math.max(130, fromTick)));
  const frame = await readFrame(page);
  const shot = join(tmpdir(), `zephlet-page-test-${process.pid}.png`);
  execFileSync(process.env.ZEPHLET_REPLAY, {input: `client 263 575\nview ${view}\nframe\n` +
      `seed ${kSeed}\nframe ${frame.tick - 1}\nshot ${shot}\n`});
  const ppm = execFileSync('convert', [shot, '-depth', '8', 'ppm:-'], {maxBuffer: 1 << 26});
  assert.ok(Buffer.concat([Buffer.from(`P6\n${frame.width} ${frame.height}\n255\n`), frame.rgb]).equals(ppm),
      `the frame is not the replay's shot of tick ${frame.tick} (${view})`);
}

// The craft's artwork as [x, y, 0xRRGGBB] for each pixel that is not
// white, read when first asked for.
let craftArt;
const readCraft = () => {
  const ppm = execFileSync('convert', [join(process.env.ZEPHLET_RESOURCES, 'craft.bmp'), '-depth', '8', 'ppm:-']);
  const [header, width] = /^P6\s(\d+) \d+\s255\s/.exec(ppm.toString('latin1'));
  return [...Array((ppm.length - header.length) / 3).keys()].map((p) => [p % width, Math.floor(p / width),
    ppm.readUIntBE(header.length + p * 3, 3)]).filter(([, , colour]) => colour !== 0xffffff);
};

// Whether the craft stands in that lane (-32, 0, 32) at altitude 0 in both
// views of the frame the page (or a frame of it) shows, whose left edges are
// at x 35 and 183, with its top at y 500: every pixel of it that is not
// white shows with its exact colour.
export const showsCraftIn = (at, lane) => async () => {
  const [frame, craft] = [await readFrame(at), craftArt ||= readCraft()];
  const pixel = (x, y) => frame.rgb.readUIntBE(((500 + y) * frame.width + lane + x) * 3, 3);
  return craft.every(([x, y, colour]) => pixel(35 + x, y) === colour && pixel(183 + x, y) === colour);
};

// Does the step's words in turn: "Right" presses ArrowRight, "+Shift" and
// "-Shift" hold and release a key; "b15=1" and "x=-0.6" set the test pad's
// button or axis, "plug" and "unplug" attach and remove it; "tap:Left"
// taps the pad's button (or "tap:canvas"), "touch:Left@a" puts finger a on
// it and "lift@a" lifts that finger, "cancel:Right" puts a finger on it
// whose touch an app switch or a gesture of the system's then cancels (in
// Chromium only); "away:-Right" does "-Right" in another tab in front,
// while the page, hidden, must stand still; "wait:300" waits.
export async function act(page, words, fingers = {}) {
  for (const word of words.split(' ').filter(Boolean)) {
    const [how, what, finger] = word.split(/[:@]/);
    if (/^(plug|unplug|b\d+=|[xy]=)/.test(word)) {
      await page.evaluate((w) => testPad(w), word);
    } else if (['tap', 'touch', 'cancel'].includes(how)) {
      const at = await page.$eval(what === 'canvas' ? '#window' : `#pad [aria-label=${what}]`,
          (e) => e.getBoundingClientRect().toJSON());
      const [x, y] = [at.x + at.width / (what === 'canvas' ? 4 : 2), at.y + at.height / 2];
      const send = (type, touchPoints) => page.session.send('Input.dispatchTouchEvent', {type, touchPoints});
      const touch = how === 'cancel' ? await send('touchStart', [{x, y, id: 1}]).then(() => sleep(200))
          .then(() => send('touchCancel', [])) : await page.touchscreen.touchStart(x, y);
      await (how === 'tap' ? touch.end() : how === 'touch' && (fingers[finger] = touch));
    } else if (how === 'lift') {
      await fingers[what].end();
    } else if (how === 'away') {
      const other = await page.browser().newPage();
      await other.bringToFront().then(() => within(2000, 'hidden', () => page.evaluate(() => document.hidden)));
      const hidden = await readFrame(page);
      await act(other, `${what} wait:1500`);
      assert.ok((await readFrame(page)).rgb.equals(hidden.rgb), 'the game moved while hidden');
      await page.bringToFront().then(() => other.close());
    } else if (how === 'wait') {
      await sleep(Number(what));
    } else {
      const [, hold, key] = /^([+-]?)(.+)$/.exec(word);
      await page.keyboard[{'+': 'down', '-': 'up'}[hold] || 'press'](key.replace(/^(Left|Right|Up|Down)$/, 'Arrow$1'));
    }
  }
}

// Takes the steps [words, lane] in turn: once the page has taken every
// message the step made (one a frame, at most two a word), the craft must
// stand in that lane, since a held key, finger or pad moves it once.
export async function steerThrough(page, steps) {
  const fingers = {};
  const frames = () => page.evaluate(() => window.framesPresented);
  for (const [words, lane] of steps) {
    await act(page, words, fingers);
    const settled = (await frames()) + 2 * words.split(' ').length + 6;
    await within(3000, `${words}: the craft in lane ${lane}`,
        async () => (await frames()) >= settled && showsCraftIn(page, lane)());
  }
}
