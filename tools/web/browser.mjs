// The browsers the page's tests and the measuring and picture tools drive:
// Debian's Chromium (through the DevTools protocol) or Firefox ESR (through
// WebDriver BiDi), headless, from a fresh profile; the page opened on a
// desktop or a phone, with its frames counted, a fixed calendar and a test
// gamepad. The tools' npm library (puppeteer-core) is pinned here.
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
