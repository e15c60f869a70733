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

import {act, assertFrameIsReplayShot, engine, kSeed, onPage, open, pagePath, pageUrl,
  showsCraftIn, sleep, steerThrough, within} from './page_harness.mjs';

// Opened with a fragment, the page shows that view from its first frame and
// the control shows the choice; any other fragment, malformed ones too,
// opens it parallel. Nothing reaches the console either way, and a gamepad
// attached (shown to the page by a press of a button that steers nothing)
// changes nothing.
for (const fragment of ['', '#view=crossed', '#view=red-cyan', '#view=sideways', '#view=%E0%A4%A', '#view']) {
  const view = {'#view=crossed': 'crossed', '#view=red-cyan': 'red-cyan'}[fragment] || 'parallel';
  onPage(`"${fragment}": the ${view} view, its frame the replay shot`,
      {url: pageUrl + fragment, seed: kSeed, pad: true}, async (page, seen) => {
        await act(page, 'plug b0=1 wait:50 b0=0');
        await assertFrameIsReplayShot(page, view);
        const ico = readFileSync(`${process.env.ZEPHLET_RESOURCES}/zephlet.ico`).toString('base64');
        assert.deepEqual([...await page.evaluate(() => [document.querySelector('#views input:checked').value,
          document.title, document.querySelector('link[rel=icon]').href,
          [...document.querySelectorAll('#pad button')].filter((b) => b.getClientRects().length).length,
          document.getElementById('about').textContent.includes('press a button on your pad')]),
        ...seen.console, ...seen.errors], [view, 'Zephlet!', `data:image/x-icon;base64,${ico}`, 0, true]);
      });
}

// The control and the fragment switch at once and keep each other in step,
// adding no history and storing nothing. With the control focused, on its
// first choice and on its last, the arrows that would move a radio group's
// choice steer the craft: a lane a press, once however long a key is held,
// with Shift or Control too. A key released while another tab is in front
// keeps its latch: the next press only releases it; the page stands still
// while hidden and goes on when shown. The arrows never scroll
// the page; every other key, and Alt with an arrow, is the browser's, as a
// listener after the page's own sees.
onPage('the view control, the fragment, the keys and the browser\'s keys', {seed: kSeed}, async (page) => {
  const state = () => page.evaluate(() => [document.querySelector('#views input:checked').value,
    location.hash, history.length, localStorage.length + sessionStorage.length]);
  const history = (await state())[2];
  for (const [how, view, hash] of [['click', 'red-cyan', '#view=red-cyan'], ['hash', 'crossed', '#view=crossed'],
    ['click', 'parallel', ''], ['hash', 'parallel', '#view=sideways']]) {
    // A frame may be painted between reading the count and the change: the
    // second one after it shows the view.
    const count = await page.evaluate(() => window.framesPresented);
    await (how === 'click' ? page.click(`#views input[value=${view}]`) :
      page.evaluate((h) => location.replace(h), hash));
    await assertFrameIsReplayShot(page, view, count + 2);
    assert.deepEqual(await state(), [view, hash, history, 0], `${how} ${view}`);
  }
  await page.click('#views input[value=parallel]');
  await steerThrough(page, [['Right', 32], ['Left Left', -32], ['+Right +Right +Right +Right -Right', 0],
    ['+Shift Right -Shift', 32], ['+Control Left -Control', 0], ['+Right', 32], ['away:-Right Left', 0],
    ['Right', 0], ['Right', 32], ['Down Left', 0], ['Up Down', 0]]);
  await page.focus('#views input[value=red-cyan]');
  await steerThrough(page, [['Left', -32]]);
  assert.deepEqual(await state(), ['parallel', '#view=sideways', history, 0]);
  await page.evaluate(() => document.activeElement.blur());
  await page.setViewport({width: 500, height: 300});
  await page.evaluate(() => addEventListener('keydown',
      (e) => (window.keysSeen ||= []).push(`${e.key} ${e.defaultPrevented}`)));
  await act(page, 'Down Down Right Up Left wait:200');
  assert.equal(await page.evaluate(() => scrollY), 0, 'an arrow scrolled the page');
  await act(page, 'PageDown');
  await within(2000, 'Page Down scrolls', () => page.evaluate(() => scrollY > 0));
  await act(page, 'a +Alt Down -Alt');
  assert.deepEqual(await page.evaluate(() => keysSeen), ['ArrowDown true', 'ArrowDown true', 'ArrowRight true',
    'ArrowUp true', 'ArrowLeft true', 'PageDown false', 'a false', 'Alt false', 'ArrowDown false']);
});

// A pad's button moves the craft a lane a press, once however long it is
// held. The pad steers with its d-pad (buttons 14 left, 15 right) and its
// stick's x axis, which presses past half its travel and lets go inside a
// third, so a stick jittering at the edge moves it once; an unplugged pad
// lets go of what it held, and the keyboard presses the arrow again.
onPage('a pad: a lane a press, held once', {pad: true}, (page) => steerThrough(page, [['plug b15=1', 32],
  ['b15=0 b14=1 wait:100 b14=0', 0], ['b15=1 wait:100 b15=0 x=-0.45', 32], ['x=-0.55', 0],
  ['x=-0.4 wait:50 x=-0.55 wait:50 x=-0.4 wait:50 x=-0.55', 0], ['x=0.4 wait:100 x=-0.55 wait:100 x=0', -32],
  ['b15=1', 0], ['unplug wait:100 Right', 32], ['plug b14=1', 0], ['unplug wait:100 Left', -32]]));

const without2D = () => [HTMLCanvasElement.prototype.getContext, window.timersSet, window.setTimer, window.setTimeout] =
  [() => null, 0, setTimeout, (...args) => ++window.timersSet && window.setTimer(...args)];
onPage('without a 2D context: the start-up failure shown, no loop run', {before: without2D}, async (page) => {
  await sleep(300);
  assert.deepEqual(await page.$eval('#failure', (box) => [box.hidden, timersSet,
    ...[...box.children].map((p) => p.textContent)]), [false, 0, 'Error', 'Window class registration failed!']);
});

// From disk, from a web host on this machine, and inside a frame of a game
// host's tall page, whose permissions policy may refuse gamepads: the page
// starts, takes the arrows (in a frame after a click on it) and keeps them
// from the host's page too, stores nothing, asks for nothing but itself and
// logs nothing; its own policy refuses a fetch, even of its own address.
onPage('from disk, from a web host and in a game host\'s frame: it plays, stores, asks, logs nothing', {},
    async (first, firstSeen, browser) => {
      const served = [];
      const server = createServer((request, response) => {
        served.push(request.url);
        response.writeHead(200, {'Content-Type': 'text/html'}).end(request.url === '/zephlet.html' ?
          readFileSync(pagePath) : `<link rel="icon" href="data:,"><body style="height: 3000px"><iframe width=600 ` +
          `height=650 src="/zephlet.html" allow="${decodeURIComponent(request.url.slice(2)).replace(/"/g, '')}">`);
      });
      await new Promise((resolve) => server.unref().listen(0, '127.0.0.1', resolve));
      const origin = `http://127.0.0.1:${server.address().port}`;
      for (const url of [pageUrl, `${origin}/zephlet.html`, `${origin}/?`, `${origin}/?gamepad 'none'`]) {
        const {page, seen} = url === pageUrl ? {page: first, seen: firstSeen} : await open(browser, url);
        const at = url.includes('?') ? await within(2000, 'the frame', () => page.frames()[1]) : page;
        await within(3000, `${url}: the craft`, showsCraftIn(at, 0));
        await at.click('#window');
        const scrolled = await page.evaluate(() => scrollY);
        await act(page, 'Right Down Down wait:1000');
        await within(2000, `${url}: Right`, showsCraftIn(at, 32));
        assert.equal(await page.evaluate(() => scrollY), scrolled, `${url}: an arrow scrolled the page`);
        // Chromium reports the page's own request, Firefox its icon's data.
        assert.deepEqual([...seen.requests.filter((u) => !u.startsWith(origin) && u !== url && !u.startsWith('data:')),
          ...seen.console, ...seen.errors], [], `${url}: a request or a log`);
        const outcome = await at.evaluate(async (target) => {
          const violations = [];
          addEventListener('securitypolicyviolation', (e) => violations.push(e.effectiveDirective));
          const fetched = await fetch(target).then(() => 'fetched', () => 'refused');
          await new Promise((resolve) => setTimeout(resolve, 100));
          return [document.cookie, localStorage.length, sessionStorage.length,
            (await indexedDB.databases()).length, fetched, violations];
        }, `${origin}/zephlet.html`);
        assert.deepEqual(outcome, ['', 0, 0, 0, 'refused', ['connect-src']], url);
        await (page !== first && page.close());
      }
      assert.deepEqual(served.filter((u) => !u.startsWith('/?')), Array(3).fill('/zephlet.html'));
      server.close();
    });

// What no pad should report: fewer buttons or none, axes out of range or not
// numbers, eight pads plugged and unplugged every frame, a getGamepads that
// throws or is missing. No error, and no arrow left held: afterwards every
// key press moves the craft.
const badPads = {
  wild: () => {
    let n = 0;
    navigator.getGamepads = () => (++n, [...Array(8)].map((_, i) => (n + i) % 2 ? null : {connected: true,
      mapping: i % 2 ? 'standard' : '', axes: [['x', NaN, Infinity, -5][(n >> 1) % 4], 5],
      buttons: i % 3 ? [] : Array(16).fill({pressed: n % 3 === 0})}));
    setTimeout(() => navigator.getGamepads = () => [], 1000);
  },
  throwing: () => navigator.getGamepads = () => { throw new DOMException('refused', 'SecurityError'); },
  missing: () => delete Navigator.prototype.getGamepads,
};
for (const [what, fake] of Object.entries(badPads)) {
  onPage(`a ${what} gamepad neither breaks the page nor leaves an arrow held`,
      {before: fake, skip: engine === 'firefox' && 'only Chromium\'s getGamepads is replaced'},
      async (page, seen) => {
        await page.evaluate(() => dispatchEvent(new Event('gamepadconnected')));
        await sleep(1500);
        await steerThrough(page, [['Down Down Left Left', -32], ['Right', 0], ['Right', 32], ['Up Down Left', 0]]);
        assert.deepEqual([...seen.console, ...seen.errors], []);
      });
}
