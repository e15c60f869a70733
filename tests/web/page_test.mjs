// The web page on a desktop, in headless Chromium or Firefox ESR, looked at
// from outside: its frame against zephlet-replay's shot of the same tick
// and seed in every view, the view control and the fragment, the keys and a
// gamepad, the page's scrolling and the browser's own keys, a hidden page,
// the start-up failure, the page inside a game host's frame, and what the
// page stores, asks for and logs, and what its policy refuses.
//
// usage: node --test page_test.mjs, with ZEPHLET_PAGE (zephlet.html),
// ZEPHLET_REPLAY (zephlet-replay) and ZEPHLET_RESOURCES (resources/) set;
// ZEPHLET_ENGINE=firefox drives Firefox ESR instead of Chromium.
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {join} from 'node:path';
import {after, before, test} from 'node:test';

import {act, assertFrameIsReplayShot, engine, kSeed, launchBrowser, open, pagePath, pageUrl,
  readFrame, showsCraftIn, sleep, steerThrough, within} from './page_harness.mjs';

let browser;
before(async () => {
  browser = await launchBrowser();
});
after(() => browser.close());

// Opened with a fragment, the page shows that view from its first frame and
// the control shows the choice; any other fragment, malformed ones too,
// opens it parallel. Nothing reaches the console either way, and a gamepad
// attached (shown to the page by a press of a button that steers nothing)
// changes nothing.
test('the page in each view its address names, its frame the replay shot', async () => {
  for (const [fragment, view] of [['', 'parallel'], ['#view=crossed', 'crossed'],
    ['#view=red-cyan', 'red-cyan'], ['#view=sideways', 'parallel'], ['#view=%E0%A4%A', 'parallel'],
    ['#view', 'parallel']]) {
    const {page, seen} = await open(browser, pageUrl + fragment, {seed: kSeed, pad: true});
    await act(page, 'plug b0=1 wait:50 b0=0');
    assert.equal(await page.$eval('#views input:checked', (input) => input.value), view);
    await assertFrameIsReplayShot(page, view);
    assert.deepEqual([...seen.console, ...seen.errors], [], fragment);
    if (!fragment) {
      const ico = readFileSync(join(process.env.ZEPHLET_RESOURCES, 'zephlet.ico')).toString('base64');
      assert.deepEqual(await page.evaluate(() => [document.title, document.querySelector('link[rel=icon]').href,
        [...document.querySelectorAll('#pad button')].filter((b) => b.getClientRects().length).length,
        document.getElementById('about').textContent.includes('press a button on your pad')]),
      ['Zephlet!', `data:image/x-icon;base64,${ico}`, 0, true], 'title, icon, no pad, the text');
    }
    await page.close();
  }
});

// The control and the fragment switch at once and keep each other in step,
// adding no history and storing nothing; with the control focused and
// right after it was used the arrows steer and never change the view.
test('the view control: a switch at once, the fragment, the arrows', async () => {
  const {page} = await open(browser, pageUrl, {seed: kSeed});
  const state = () => page.evaluate(() => [document.querySelector('#views input:checked').value,
    location.hash, history.length, localStorage.length + sessionStorage.length]);
  const history = (await state())[2];
  for (const [how, view, hash] of [['click', 'red-cyan', '#view=red-cyan'],
    ['hash', 'crossed', '#view=crossed'], ['click', 'parallel', ''],
    ['hash', 'parallel', '#view=sideways']]) {
    // A frame may be painted between reading the count and the change: the
    // second one after it shows the view.
    const count = await page.evaluate(() => window.framesPresented);
    await (how === 'click' ? page.click(`#views input[value=${view}]`) :
      page.evaluate((h) => location.replace(h), hash));
    await assertFrameIsReplayShot(page, view, count + 2);
    assert.deepEqual(await state(), [view, hash, history, 0], `${how} ${view}`);
  }
  // Focused on the first choice and on the last, the arrows that would move
  // a radio group's choice steer the craft.
  await page.click('#views input[value=parallel]');
  await steerThrough(page, [['Right', 32], ['Down Left', 0], ['Up Down', 0]]);
  await page.focus('#views input[value=red-cyan]');
  await steerThrough(page, [['Left', -32]]);
  assert.deepEqual(await state(), ['parallel', '#view=sideways', history, 0]);
  await page.close();
});

// A key or a pad's button moves the craft a lane a press, once however long
// it is held. The pad steers with its d-pad (buttons 14 left, 15 right) and
// its stick's x axis, which presses past half its travel and lets go inside
// a third, so a stick jittering at the edge moves it once; an unplugged pad
// lets go of what it held, and the keyboard presses the arrow again. A key
// released while another tab is in front keeps its latch: the next press
// only releases it.
const steps = {
  keys: [['', 0], ['Right', 32], ['Left Left', -32],
    ['+Right +Right +Right +Right -Right', 0], ['+Shift Right -Shift', 32],
    ['+Control Left -Control', 0], ['+Right', 32], ['away:-Right Left', 0], ['Right', 0],
    ['Right', 32]],
  pad: [['b15=1', 32], ['b15=0 b14=1 wait:100 b14=0', 0], ['b15=1 wait:100 b15=0 x=-0.45', 32],
    ['x=-0.55', 0], ['x=-0.4 wait:50 x=-0.55 wait:50 x=-0.4 wait:50 x=-0.55', 0],
    ['x=0.4 wait:100 x=-0.55 wait:100 x=0', -32], ['b15=1', 0], ['unplug wait:100 Right', 32],
    ['plug b14=1', 0], ['unplug wait:100 Left', -32]],
};
for (const [what, steering] of Object.entries(steps)) {
  test(`${what}: a lane a press, held once`, async () => {
    const {page} = await open(browser, pageUrl, {pad: what === 'pad'});
    await act(page, what === 'pad' ? 'plug' : '');
    await steerThrough(page, steering);
    await page.close();
  });
}

// What reaches the browser, seen by a listener after the page's own.
test('the arrows never scroll the page; every other key, and Alt with an arrow, is the browser\'s',
    async () => {
      const {page} = await open(browser, pageUrl);
      await page.setViewport({width: 500, height: 300});
      await page.evaluate(() => addEventListener('keydown',
          (e) => (window.keysSeen ||= []).push(`${e.key} ${e.defaultPrevented}`)));
      await act(page, 'Down Down Right Up Left wait:200');
      assert.equal(await page.evaluate(() => scrollY), 0, 'an arrow scrolled the page');
      await act(page, 'PageDown');
      await within(2000, 'Page Down scrolls', () => page.evaluate(() => scrollY > 0));
      await act(page, 'a +Alt Down -Alt');
      assert.deepEqual(await page.evaluate(() => keysSeen), ['ArrowDown true', 'ArrowDown true',
        'ArrowRight true', 'ArrowUp true', 'ArrowLeft true', 'PageDown false', 'a false',
        'Alt false', 'ArrowDown false']);
      await page.close();
    });

// Two ways a page is hidden; either way nothing is painted while it is.
// Only the DevTools protocol can minimise the browser's window.
for (const way of ['another tab in front', 'the browser minimised']) {
  const skip = engine === 'firefox' && way === 'the browser minimised' &&
      'WebDriver BiDi cannot minimise the browser window';
  test(`a hidden page stands still and goes on when shown: ${way}`, {skip}, async () => {
    const {page} = await open(browser, pageUrl);
    await within(2000, 'the first frames', showsCraftIn(page, 0));
    const other = way === 'another tab in front' && await browser.newPage();
    const session = !other && await page.createCDPSession();
    const {windowId} = session && await session.send('Browser.getWindowForTarget');
    const windowState = (state) => session.send('Browser.setWindowBounds', {windowId, bounds: {windowState: state}});
    await (other ? other.bringToFront() : windowState('minimized'));
    await within(2000, 'the page hidden', () => page.evaluate(() => document.hidden));
    const hidden = await readFrame(page);
    await sleep(1500);
    assert.ok((await readFrame(page)).rgb.equals(hidden.rgb), 'the game moved while hidden');
    await (other ? page.bringToFront() : windowState('normal'));
    await within(3000, 'the game going on', async () => !(await readFrame(page)).rgb.equals(hidden.rgb));
    await Promise.all([other && other.close(), page.close()]);
  });
}

test('without a 2D context the page shows the start-up failure and runs no loop', async () => {
  const {page} = await open(browser, pageUrl, {before: () => {
    HTMLCanvasElement.prototype.getContext = () => null;
    window.timersSet = 0;
    const setTimer = window.setTimeout;
    window.setTimeout = (...args) => ++window.timersSet && setTimer(...args);
  }});
  await sleep(300);
  assert.deepEqual(await page.$eval('#failure', (box) => [box.hidden, timersSet,
    ...[...box.children].map((p) => p.textContent)]), [false, 0, 'Error', 'Window class registration failed!']);
  await page.close();
});

// From disk, from a web host on this machine, and inside a frame of a game
// host's tall page, whose permissions policy may refuse gamepads: the page
// starts, takes the arrows (in a frame after a click on it) and keeps them
// from the host's page too, stores nothing, asks for nothing but itself and
// logs nothing; its own policy refuses a fetch, even of its own address.
test('from disk, from a web host and in a game host\'s frame: it plays, stores, asks, logs nothing',
    async () => {
      const served = [];
      const server = createServer((request, response) => {
        served.push(request.url);
        const allow = decodeURIComponent(request.url.slice(2)).replace(/"/g, '');
        response.writeHead(200, {'Content-Type': 'text/html'});
        response.end(request.url === '/zephlet.html' ? readFileSync(pagePath) :
          `<link rel="icon" href="data:,"><body style="height: 3000px"><iframe src="/zephlet.html" ` +
          `allow="${allow}" width="600" height="650"></iframe>`);
      });
      await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
      const origin = `http://127.0.0.1:${server.address().port}`;
      for (const url of [pageUrl, `${origin}/zephlet.html`, `${origin}/?`, `${origin}/?gamepad 'none'`]) {
        const {page, seen} = await open(browser, url);
        const at = url.includes('?') ? await within(2000, 'the frame', () => page.frames()[1]) : page;
        await within(3000, `${url}: the craft`, showsCraftIn(at, 0));
        await at.click('#window');
        const scrolled = await page.evaluate(() => scrollY);
        await act(page, 'Right Down Down wait:1000');
        await within(2000, `${url}: Right`, showsCraftIn(at, 32));
        assert.equal(await page.evaluate(() => scrollY), scrolled, `${url}: an arrow scrolled the page`);
        // Chromium reports the page's own request, Firefox its icon's data.
        assert.deepEqual(seen.requests.filter((u) => !u.startsWith(origin) && u !== url &&
            !u.startsWith('data:')), [], url);
        assert.deepEqual([...seen.console, ...seen.errors], [], `${url}: console`);
        const outcome = await at.evaluate(async (target) => {
          const violations = [];
          addEventListener('securitypolicyviolation', (e) => violations.push(e.effectiveDirective));
          const fetched = await fetch(target).then(() => 'fetched', () => 'refused');
          await new Promise((resolve) => setTimeout(resolve, 100));
          return [document.cookie, localStorage.length, sessionStorage.length,
            (await indexedDB.databases()).length, fetched, violations];
        }, `${origin}/zephlet.html`);
        assert.deepEqual(outcome, ['', 0, 0, 0, 'refused', ['connect-src']], url);
        await page.close();
      }
      assert.deepEqual(served.filter((u) => !u.startsWith('/?')), Array(3).fill('/zephlet.html'));
      server.close();
    });

// What no pad should report: fewer buttons or none, axes out of range or not
// numbers, eight pads plugged and unplugged every frame, a getGamepads that
// throws or is missing. No error, and no arrow left held: afterwards every
// key press moves the craft.
test('bad gamepads neither break the page nor leave an arrow held', {
  skip: engine === 'firefox' && 'only Chromium\'s getGamepads is replaced',
}, async () => {
  const bad = {
    wild: () => {
      let n = 0;
      navigator.getGamepads = () => (++n, [...Array(8)].map((_, i) => (n + i) % 2 ? null : {connected: true,
        mapping: i % 2 ? 'standard' : '', axes: [['x', NaN, Infinity, -5][(n >> 1) % 4], 5],
        buttons: i % 3 ? [] : Array(16).fill({pressed: n % 3 === 0})}));
      setTimeout(() => navigator.getGamepads = () => [], 1000);
    },
    throwing: () => navigator.getGamepads = () => {
      throw new DOMException('refused', 'SecurityError');
    },
    missing: () => delete Navigator.prototype.getGamepads,
  };
  for (const [what, fake] of Object.entries(bad)) {
    const {page, seen} = await open(browser, pageUrl, {before: fake});
    await page.evaluate(() => dispatchEvent(new Event('gamepadconnected')));
    await sleep(1500);
    await steerThrough(page, [['Down Down Left Left', -32], ['Right', 0], ['Right', 32],
      ['Up Down Left', 0]]);
    assert.deepEqual([...seen.console, ...seen.errors], [], what);
    await page.close();
  }
});
