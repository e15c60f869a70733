// Shared by the browser tests and the measuring script: Debian's Chromium
// (through the DevTools protocol) or Firefox ESR (through WebDriver BiDi),
// headless; the page opened on a desktop or a phone, with a fixed calendar
// and a test gamepad; its frame read from the canvas; and the steps that
// steer the craft, written as data.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {readFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';

import puppeteer from 'puppeteer-core';

// Which browser the tests drive: ZEPHLET_ENGINE=firefox for Firefox ESR.
export const engine = process.env.ZEPHLET_ENGINE === 'firefox' ? 'firefox' : 'chromium';
export const pagePath = process.env.ZEPHLET_PAGE;
export const pageUrl = pagePath && pathToFileURL(pagePath).href;
// The page's calendar stands still at this second, which is then the seed.
export const kSeed = 1733000000;

// A fresh profile every launch, kept from reaching for the network on its
// own. Firefox takes a touch screen from its preferences, and its gamepad
// test service from the automation ones; Chromium takes touch from the
// page's emulation (open) and has no gamepad hook.
export function launchBrowser({touch = false} = {}) {
  if (engine === 'firefox') {
    const touchPrefs = touch ? {'ui.primaryPointerCapabilities': 1, 'ui.allPointerCapabilities': 1,
      'dom.w3c_touch_events.enabled': 1} : {};
    return puppeteer.launch({browser: 'firefox', headless: true,
      executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
      env: {...process.env, MOZ_DISABLE_NONLOCAL_CONNECTIONS: '1'},
      extraPrefsFirefox: {...touchPrefs, 'dom.gamepad.test.enabled': true,
        'security.turn_off_all_security_so_that_viruses_can_take_over_this_computer': true}});
  }
  return puppeteer.launch({executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true, args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-default-apps', '--disable-extensions']});
}

// Opens the url in a new tab, counting its frames (countFrames), and records
// what it logs and asks for. `seed` fixes the calendar, `pad` plugs in the test gamepad's
// driver, `before` runs in the page before its own scripts, and `phone`
// ({width, height}) shows it as a phone: three device pixels to one, a
// touch screen taking several fingers.
export async function open(browser, url, {seed, pad, before, phone} = {}) {
  const page = await browser.newPage();
  const seen = {console: [], errors: [], requests: []};
  // Chromium's advice on the tests' own reading of the canvas aside.
  page.on('console', (message) => /willReadFrequently/.test(message.text()) ||
      seen.console.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => seen.errors.push(error.message));
  page.on('request', (request) => seen.requests.push(request.url()));
  if (phone && engine === 'chromium') {
    page.session = await page.createCDPSession();
    await page.session.send('Emulation.setDeviceMetricsOverride',
        {...phone, deviceScaleFactor: 3, mobile: true});
    await page.session.send('Emulation.setTouchEmulationEnabled', {enabled: true, maxTouchPoints: 5});
  } else if (phone) {
    // A "mobile" viewport would also override the screen's orientation,
    // which Firefox ESR 140 cannot.
    await page.setViewport({...phone, deviceScaleFactor: 3});
  }
  const scripts = [[countFrames, seed], pad && [padDriver], before && [before]];
  for (const [script, arg] of scripts.filter(Boolean)) {
    await page.evaluateOnNewDocument(script, arg);
  }
  await page.goto(url, {waitUntil: 'load'});
  return {page, seen};
}

// Run in the page before its own scripts: the frames it presents are
// counted, and the time of the first noted; with a seed its calendar stands
// still at that second. A frame may be put in several blocks of columns
// (the crossed view), left to right: a frame begins at column 0.
const countFrames = (seconds) => {
  Date.now = seconds ? () => seconds * 1000 : Date.now;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  window.framesPresented = 0;
  CanvasRenderingContext2D.prototype.putImageData = function(...args) {
    if ((args.length > 3 ? args[1] + args[3] : args[1]) === 0 && window.framesPresented++ === 0) {
      window.firstFrameMs = performance.now();
    }
    return put.apply(this, args);
  };
};

// One standard gamepad, driven by the words of act as window.testPad(word):
// Firefox's own test service, through the browser's real gamepad path; in
// Chromium a getGamepads that reports it.
const padDriver = () => {
  const service = navigator.requestGamepadServiceTest && navigator.requestGamepadServiceTest();
  let fake = null;
  let index;
  if (!service) {
    navigator.getGamepads = () => [fake];
  }
  window.testPad = async (word) => {
    const [, button, axis, value] = /^(?:b(\d+)|([xy]))=(.*)$/.exec(word) || [];
    if (word === 'plug') {
      index = service && await service.addGamepad('test pad', service.standardMapping,
          service.noHand, 17, 4, 0, 0, 0);
      fake = {connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
        buttons: [...Array(17)].map(() => ({pressed: false}))};
      service || dispatchEvent(new Event('gamepadconnected'));
    } else if (word === 'unplug') {
      fake = null;
      await (service && service.removeGamepad(index));
    } else if (button) {
      fake.buttons[button] = {pressed: value === '1'};
      await (service && service.newButtonEvent(index, Number(button), value === '1', value === '1'));
    } else {
      fake.axes['xy'.indexOf(axis)] = Number(value);
      await (service && service.newAxisMoveEvent(index, 'xy'.indexOf(axis), Number(value)));
    }
  };
};

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

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
    let text = '';
    for (let i = 0; i < rgba.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, rgba.subarray(i, i + 0x8000));
    }
    return {width: canvas.width, height: canvas.height, base64: btoa(text), tick: window.framesPresented};
  });
  const [rgba, rgb] = [Buffer.from(base64, 'base64'), Buffer.alloc(width * height * 3)];
  for (let p = 0; p < width * height; ++p) {
    rgba.copy(rgb, p * 3, p * 4, p * 4 + 3);
  }
  return {width, height, tick, rgb};
}

// For a page opened with the seed: waits past tick 130, where the first row
// (spawned at tick 90) is well in view, and past fromTick (a frame painted
// after a change the caller made); then the frame must equal
// zephlet-replay's shot of its tick, with the canvas's client area.
export async function assertFrameIsReplayShot(page, view = 'parallel', fromTick = 0) {
  const first = Math.max(130, fromTick);
  await within(5000, `tick ${first}`, () => page.evaluate((t) => window.framesPresented >= t, first));
  const frame = await readFrame(page);
  const shot = join(tmpdir(), `zephlet-page-test-${process.pid}.png`);
  execFileSync(process.env.ZEPHLET_REPLAY, {input: `client 263 575\nview ${view}\nframe\n` +
      `seed ${kSeed}\nframe ${frame.tick - 1}\nshot ${shot}\n`});
  const size = execFileSync('identify', ['-format', '%w %h', shot]).toString().split(' ');
  assert.deepEqual([frame.width, frame.height], size.map(Number));
  const rgb = execFileSync('convert', [shot, '-depth', '8', 'rgb:-'], {maxBuffer: 1 << 26});
  assert.ok(frame.rgb.equals(rgb), `the frame is not the replay's shot of tick ${frame.tick} (${view})`);
}

// The craft's artwork (a 24-bit BMP, stored bottom-up) as 0xRRGGBB values,
// read when first asked for.
let craftArt;
const readCraft = () => {
  const bytes = readFileSync(join(process.env.ZEPHLET_RESOURCES, 'craft.bmp'));
  const [offset, width, height] = [bytes.readUInt32LE(10), bytes.readInt32LE(18), bytes.readInt32LE(22)];
  const stride = Math.ceil((width * 3) / 4) * 4;
  const at = (x, y) => bytes.readUIntLE(offset + (height - 1 - y) * stride + x * 3, 3);
  return {width, height, at};
};

// Whether the craft stands in that lane (-32, 0, 32) at altitude 0 in both
// views of the frame the page (or a frame of it) shows, whose left edges are
// at x 35 and 183, with its top at y 500: every pixel of it that is not
// white shows with its exact colour.
export const showsCraftIn = (at, lane) => async () => {
  const [frame, craft] = [await readFrame(at), craftArt ||= readCraft()];
  for (let y = 0; y < craft.height; ++y) {
    for (let x = 0; x < craft.width; ++x) {
      const colour = craft.at(x, y);
      for (const left of [35, 183]) {
        const i = ((500 + y) * frame.width + left + lane + x) * 3;
        if (colour !== 0xffffff && frame.rgb.readUIntBE(i, 3) !== colour) {
          return false;
        }
      }
    }
  }
  return true;
};

// Does the step's words in turn: "Right" presses ArrowRight, "+Shift" and
// "-Shift" hold and release a key; "b15=1" and "x=-0.6" set the test pad's
// button or axis, "plug" and "unplug" attach and remove it; "tap:Left"
// taps the pad's button (or "tap:canvas"), "touch:Left@a" puts finger a on
// it and "lift@a" lifts that finger; "away:-Right" does "-Right" in another
// tab in front; "wait:300" waits.
export async function act(page, words, fingers = {}) {
  for (const word of words.split(' ').filter(Boolean)) {
    let m;
    if (/^(plug|unplug|b\d+=|[xy]=)/.test(word)) {
      await page.evaluate((w) => testPad(w), word);
    } else if ((m = /^(tap|touch):(\w+)(?:@(\w+))?$/.exec(word))) {
      const at = await page.$eval(m[2] === 'canvas' ? '#window' : `#pad [aria-label=${m[2]}]`,
          (e) => e.getBoundingClientRect().toJSON());
      const finger = await page.touchscreen.touchStart(at.x + at.width / (m[2] === 'canvas' ? 4 : 2),
          at.y + at.height / 2);
      await (m[1] === 'tap' ? finger.end() : (fingers[m[3]] = finger));
    } else if ((m = /^lift@(\w+)$/.exec(word))) {
      await fingers[m[1]].end();
    } else if ((m = /^away:(.+)$/.exec(word))) {
      const other = await page.browser().newPage();
      await other.bringToFront().then(() => act(other, m[1])).then(() => page.bringToFront());
      await other.close();
    } else if ((m = /^wait:(\d+)$/.exec(word))) {
      await sleep(Number(m[1]));
    } else {
      m = /^([+-]?)(.+)$/.exec(word);
      const key = ['Left', 'Right', 'Up', 'Down'].includes(m[2]) ? `Arrow${m[2]}` : m[2];
      await page.keyboard[{'+': 'down', '-': 'up'}[m[1]] || 'press'](key);
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
