// Shared by the browser tests and the measuring script: Debian's Chromium
// (through the DevTools protocol) or Firefox ESR (through WebDriver BiDi),
// headless; the page's frame read from its canvas; and the game's artwork to
// find things in it.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {readFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';

import puppeteer from 'puppeteer-core';

// Which browser the tests drive: ZEPHLET_ENGINE=firefox for Firefox ESR.
export const engine = process.env.ZEPHLET_ENGINE === 'firefox' ? 'firefox' : 'chromium';

// The flags that keep a headless Chromium from reaching for the network on
// its own (updates, sync, safe browsing), with a fresh profile every launch.
const kChromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-default-apps', '--disable-extensions',
];

// Firefox ESR with a fresh profile; puppeteer's own preferences already keep
// it from updating or reaching for the network. Firefox takes a touch
// screen from its preferences (a coarse pointer, touch events), Chromium
// from the page's emulation (openPhone).
export function launchBrowser({touch = false} = {}) {
  if (engine === 'firefox') {
    const touchPrefs = {
      'ui.primaryPointerCapabilities': 1,  // coarse, no hover
      'ui.allPointerCapabilities': 1,
      'dom.w3c_touch_events.enabled': 1,
    };
    return puppeteer.launch({
      browser: 'firefox',
      executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
      headless: true,
      extraPrefsFirefox: touch ? touchPrefs : {},
    });
  }
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: kChromiumFlags,
  });
}

// Opens the page in a new tab and records what it logs and asks for.
// `before` runs in the page before any of its own scripts, with `arg`.
export async function openPage(browser, url, {before, arg} = {}) {
  const page = await browser.newPage();
  const seen = {console: [], errors: [], requests: []};
  page.on('console', (message) => seen.console.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => seen.errors.push(error.message));
  page.on('request', (request) => seen.requests.push(request.url()));
  if (before) {
    await page.evaluateOnNewDocument(before, arg);
  }
  await page.goto(url, {waitUntil: 'load'});
  return {page, seen};
}

// The page as a phone shows it: its size in CSS pixels, three device pixels
// to one, and a touch screen taking several fingers.
export async function openPhone(browser, url, {width, height, before, arg}) {
  const page = await browser.newPage();
  const seen = {console: [], errors: []};
  page.on('console', (message) => seen.console.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => seen.errors.push(error.message));
  if (engine === 'chromium') {
    const session = await page.createCDPSession();
    await session.send('Emulation.setDeviceMetricsOverride',
        {width, height, deviceScaleFactor: 3, mobile: true});
    await session.send('Emulation.setTouchEmulationEnabled', {enabled: true, maxTouchPoints: 5});
    page.session = session;
  } else {
    // The touch screen is the profile's; a "mobile" viewport would also
    // override the screen's orientation, which Firefox ESR 140 cannot.
    await page.setViewport({width, height, deviceScaleFactor: 3});
  }
  if (before) {
    await page.evaluateOnNewDocument(before, arg);
  }
  await page.goto(url, {waitUntil: 'load'});
  return {page, seen};
}

// The centre of the pad's button for that arrow, in CSS pixels.
export const padButton = (page, arrow) => page.$eval(`#pad [aria-label=${arrow}]`, (button) => {
  const box = button.getBoundingClientRect();
  return [box.x + box.width / 2, box.y + box.height / 2];
});

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls `check` until it gives a true value, or fails after `ms`.
export async function within(ms, what, check) {
  const deadline = Date.now() + ms;
  for (;;) {
    const value = await check();
    if (value) {
      return value;
    }
    if (Date.now() > deadline) {
      throw new Error(`not within ${ms} ms: ${what}`);
    }
    await sleep(20);
  }
}

// The canvas as RGB bytes, rows top-down: one frame, since the page's script
// cannot run while this does. With the frames counted (fixCalendar), also
// the frame's tick: every paint runs one tick and presents one frame.
export async function readFrame(page) {
  const {width, height, base64, tick} = await page.evaluate(() => {
    const canvas = document.getElementById('window');
    const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const rgb = new Uint8Array(canvas.width * canvas.height * 3);
    for (let i = 0, o = 0; i < rgba.length; i += 4) {
      rgb[o++] = rgba[i];
      rgb[o++] = rgba[i + 1];
      rgb[o++] = rgba[i + 2];
    }
    let text = '';
    for (let i = 0; i < rgb.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, rgb.subarray(i, i + 0x8000));
    }
    return {width: canvas.width, height: canvas.height, base64: btoa(text),
      tick: window.framesPresented};
  });
  return {width, height, tick, rgb: Buffer.from(base64, 'base64')};
}

// Run in the page before its own scripts (openPage's `before`): its
// calendar stands still at this second, which is then the seed, and the
// frames it presents are counted. A frame may be put in several blocks of
// columns (the crossed view), left to right: a frame begins at column 0.
export const fixCalendar = (seconds) => {
  Date.now = () => seconds * 1000;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  window.framesPresented = 0;
  CanvasRenderingContext2D.prototype.putImageData = function(...args) {
    const left = args.length > 3 ? args[1] + args[3] : args[1];
    window.framesPresented += left === 0 ? 1 : 0;
    return put.apply(this, args);
  };
};

// zephlet-replay's shot of the frame after `tick` ticks from the seed, with
// the client area of the page's canvas, in that view.
export function replayShot(seed, tick, view = 'parallel') {
  const shot = join(tmpdir(), `zephlet-page-test-${process.pid}.png`);
  execFileSync(process.env.ZEPHLET_REPLAY, {input: `client 263 575\nview ${view}\nframe\n` +
      `seed ${seed}\nframe ${tick - 1}\nshot ${shot}\n`});
  return readPng(shot);
}

// For a page opened with fixCalendar(seed): waits past tick 130, where the
// first row (spawned at tick 90) is well in view, so that the seed shows
// too, and past fromTick (a frame painted after a change the caller made);
// then the frame must equal the replay's shot of its tick.
export async function assertFrameIsReplayShot(page, seed, view = 'parallel', fromTick = 0) {
  const first = Math.max(130, fromTick);
  const frame = await within(5000, `tick ${first}`, async () => {
    const read = await readFrame(page);
    return read.tick >= first ? read : null;
  });
  const expected = replayShot(seed, frame.tick, view);
  assert.deepEqual([frame.width, frame.height], [expected.width, expected.height]);
  assert.ok(frame.rgb.equals(expected.rgb),
      `the frame is not the replay's shot of tick ${frame.tick} in the ${view} view`);
}

// A PNG (zephlet-replay's shots) as RGB bytes, through ImageMagick.
export function readPng(path) {
  const size = execFileSync('identify', ['-format', '%w %h', path]).toString().split(' ');
  const rgb = execFileSync('convert', [path, '-depth', '8', 'rgb:-'], {maxBuffer: 1 << 26});
  return {width: Number(size[0]), height: Number(size[1]), rgb};
}

// A 24-bit BMP (the artwork) as 0xRRGGBB values, rows top-down.
export function readBmp(path) {
  const bytes = readFileSync(path);
  const offset = bytes.readUInt32LE(10);
  const width = bytes.readInt32LE(18);
  const rawHeight = bytes.readInt32LE(22);
  const height = Math.abs(rawHeight);
  const stride = Math.ceil((width * 3) / 4) * 4;
  const pixels = new Uint32Array(width * height);
  for (let y = 0; y < height; ++y) {
    const row = offset + (rawHeight > 0 ? height - 1 - y : y) * stride;
    for (let x = 0; x < width; ++x) {
      const p = row + x * 3;
      pixels[y * width + x] = (bytes[p + 2] << 16) | (bytes[p + 1] << 8) | bytes[p];
    }
  }
  return {width, height, pixels};
}

const pixelAt = (frame, x, y) => {
  const i = (y * frame.width + x) * 3;
  return (frame.rgb[i] << 16) | (frame.rgb[i + 1] << 8) | frame.rgb[i + 2];
};

// Whether the sprite stands with its top left corner at (x, y): every pixel
// of it that is not white shows with its exact colour.
export function spriteAt(frame, sprite, x, y) {
  for (let sy = 0; sy < sprite.height; ++sy) {
    for (let sx = 0; sx < sprite.width; ++sx) {
      const colour = sprite.pixels[sy * sprite.width + sx];
      if (colour !== 0xffffff && pixelAt(frame, x + sx, y + sy) !== colour) {
        return false;
      }
    }
  }
  return true;
}

// Whether the craft stands in that lane (-32, 0, 32) at altitude 0 in both
// views, whose left edges are at x 35 and 183, with its top at y 500.
export const craftInLane = (frame, craft, lane) =>
  spriteAt(frame, craft, 35 + lane, 500) && spriteAt(frame, craft, 183 + lane, 500);

// Takes the steps [what, act, lane] in turn: after each act the craft must
// reach that lane, and still be there a moment later, since a held key or
// finger moves it once.
export async function steerThrough(page, craft, steps) {
  const inLane = (lane) => async () => craftInLane(await readFrame(page), craft, lane);
  for (const [what, act, lane] of steps) {
    await act();
    await within(2000, `${what}: the craft in lane ${lane}`, inLane(lane));
    await sleep(250);
    assert.ok(await inLane(lane)(), `${what}: the craft left lane ${lane}`);
  }
}
