// The web page on a desktop, in headless Chromium or Firefox ESR, looked at
// from outside: its frame against zephlet-replay's shot of the same tick and
// seed, the keys, the page's scrolling and the browser's own keys, a hidden
// page, the start-up failure, no arrow pad, and what the page stores, asks
// for and logs, and what its policy refuses.
//
// usage: node --test page_test.mjs, with ZEPHLET_PAGE (zephlet.html),
// ZEPHLET_REPLAY (zephlet-replay) and ZEPHLET_RESOURCES (resources/) set;
// ZEPHLET_ENGINE=firefox drives Firefox ESR instead of Chromium.
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {join} from 'node:path';
import {after, before, test} from 'node:test';
import {pathToFileURL} from 'node:url';

import {assertFrameIsReplayShot, craftInLane, engine, fixCalendar, launchBrowser, openPage,
  readBmp, readFrame, sleep, steerThrough, within} from './page_harness.mjs';

const pagePath = process.env.ZEPHLET_PAGE;
const pageUrl = pathToFileURL(pagePath).href;
const resources = process.env.ZEPHLET_RESOURCES;
const craft = readBmp(join(resources, 'craft.bmp'));

let browser;
before(async () => {
  browser = await launchBrowser();
});
after(async () => {
  await browser.close();
});

// The page's calendar stands still at this second, which is then the seed.
const kSeed = 1733000000;

const showsCraftIn = (page, lane) => async () => craftInLane(await readFrame(page), craft, lane);

// Runs check(url, hostedUrl) on the page opened from disk, then from a web
// host on this machine, which must have been asked for the page alone.
async function fromDiskAndHost(check) {
  const served = [];
  const server = createServer((request, response) => {
    served.push(request.url);
    response.writeHead(200, {'Content-Type': 'text/html'});
    response.end(readFileSync(pagePath));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const hosted = `http://127.0.0.1:${server.address().port}/zephlet.html`;
  try {
    for (const url of [pageUrl, hosted]) {
      await check(url, hosted);
    }
    assert.deepEqual(served, ['/zephlet.html'], 'what the host served');
  } finally {
    server.close();
  }
}

test('the page: its title and icon, and a frame equal to the replay shot of its tick', async () => {
  const {page} = await openPage(browser, pageUrl, {before: fixCalendar, arg: kSeed});
  assert.equal(await page.title(), 'Zephlet!');
  const icon = await page.$eval('link[rel=icon]', (link) => link.href);
  const ico = readFileSync(join(resources, 'zephlet.ico')).toString('base64');
  assert.equal(icon, `data:image/x-icon;base64,${ico}`);

  await assertFrameIsReplayShot(page, kSeed);
  await page.close();
});

// Opened with a fragment naming a view, the page shows that view from its
// first frame, and the control shows the choice.
for (const view of ['crossed', 'red-cyan']) {
  test(`#view=${view} opens the page in that view, its frame the replay shot`, async () => {
    const {page} = await openPage(browser, `${pageUrl}#view=${view}`,
        {before: fixCalendar, arg: kSeed});
    assert.equal(await page.$eval('#views input:checked', (input) => input.value), view);
    await assertFrameIsReplayShot(page, kSeed, view);
    await page.close();
  });
}

// Any other fragment, malformed ones too, opens the page as it always
// opened: parallel, with nothing in the console.
test('an unknown fragment opens the page in the parallel view', async () => {
  for (const fragment of ['#view=sideways', '#view=%E0%A4%A', '#view']) {
    const {page, seen} = await openPage(browser, `${pageUrl}${fragment}`,
        {before: fixCalendar, arg: kSeed});
    assert.equal(await page.$eval('#views input:checked', (input) => input.value), 'parallel');
    await within(2000, `${fragment}: the craft`, showsCraftIn(page, 0));
    assert.deepEqual([...seen.console, ...seen.errors], [], fragment);
    await page.close();
  }
});

// The control switches at once and keeps the fragment in step, adding no
// history and storing nothing; with it focused and right after it was used
// the arrows steer and never change the view.
test('the view control: named choices, a switch at once, the fragment, the arrows', async () => {
  const {page} = await openPage(browser, pageUrl, {before: fixCalendar, arg: kSeed});
  const labels = await page.$$eval('#views label', (all) => all.map((l) => l.textContent.trim()));
  assert.deepEqual(labels, ['Parallel (eyes apart)', 'Crossed eyes', 'Red-cyan glasses']);
  const state = () => page.evaluate(() => ({
    view: document.querySelector('#views input:checked').value,
    hash: location.hash,
    history: history.length,
    focused: document.activeElement.value,
  }));
  const {history} = await state();
  // A frame may be painted between reading the count and the click: the
  // second one after it shows the view.
  const choose = async (name) => {
    const before = await page.evaluate(() => window.framesPresented);
    await page.click(`#views input[value=${name}]`);
    await assertFrameIsReplayShot(page, kSeed, name, before + 2);
  };
  await choose('red-cyan');
  assert.deepEqual(await state(), {view: 'red-cyan', hash: '#view=red-cyan', history,
    focused: 'red-cyan'});
  await choose('crossed');
  assert.deepEqual(await state(), {view: 'crossed', hash: '#view=crossed', history,
    focused: 'crossed'});
  await choose('parallel');
  assert.deepEqual(await state(), {view: 'parallel', hash: '', history, focused: 'parallel'});
  assert.ok(!page.url().includes('#'), page.url());

  // Focused on the first choice and on the last, the arrows that would move
  // a radio group's choice steer the craft.
  const k = page.keyboard;
  const steps = [
    ['Right', () => k.press('ArrowRight'), 32],
    ['Down, then Left', async () => {
      await k.press('ArrowDown');
      await k.press('ArrowLeft');
    }, 0],
    ['Up, then Down', async () => {
      await k.press('ArrowUp');
      await k.press('ArrowDown');
    }, 0],
    ['the last choice focused, then Left', async () => {
      await page.focus('#views input[value=red-cyan]');
      await k.press('ArrowLeft');
    }, -32],
  ];
  for (const [what, act, lane] of steps) {
    await act();
    await within(2000, `${what}: the craft in lane ${lane}`, showsCraftIn(page, lane));
    const after = await state();
    assert.equal(after.view, 'parallel', `${what} changed the view`);
    assert.equal(after.hash, '', `${what} changed the fragment`);
  }
  assert.equal(await page.evaluate(() => localStorage.length + sessionStorage.length), 0);
  await page.close();
});

// Each step, then the lane the craft must stand in. A key that moved the
// craft must not move it further, so each step waits a little longer after
// reaching its lane and looks again.
test('keys: a lane a press, held keys once, with Shift or Ctrl too', async () => {
  const {page} = await openPage(browser, pageUrl, {before: fixCalendar, arg: kSeed});
  const k = page.keyboard;
  const steps = [
    ['nothing yet', async () => {}, 0],
    ['Right', () => k.press('ArrowRight'), 32],
    ['Left twice', async () => {
      await k.press('ArrowLeft');
      await k.press('ArrowLeft');
    }, -32],
    ['Right held, repeating', async () => {
      await k.down('ArrowRight');
      for (let i = 0; i < 5; ++i) {
        await k.down('ArrowRight');  // the keyboard's auto-repeat
      }
      await k.up('ArrowRight');
    }, 0],
    ['Shift with Right', async () => {
      await k.down('Shift');
      await k.press('ArrowRight');
      await k.up('Shift');
    }, 32],
    ['Ctrl with Left', async () => {
      await k.down('Control');
      await k.press('ArrowLeft');
      await k.up('Control');
    }, 0],
  ];
  await steerThrough(page, craft, steps);
  await page.close();
});

test('a key released while another tab is in front keeps its latch', async () => {
  const {page} = await openPage(browser, pageUrl, {before: fixCalendar, arg: kSeed});
  await page.keyboard.down('ArrowRight');
  await within(2000, 'Right held: lane 32', showsCraftIn(page, 32));
  const other = await browser.newPage();
  await other.bringToFront();
  await other.keyboard.up('ArrowRight');
  await page.bringToFront();
  await page.keyboard.press('ArrowLeft');
  await within(2000, 'Left: lane 0', showsCraftIn(page, 0));
  // The page never saw Right released: the next press only releases it.
  await page.keyboard.press('ArrowRight');
  await sleep(300);
  assert.ok(await showsCraftIn(page, 0)(), 'Right moved the craft though its latch was set');
  await page.keyboard.press('ArrowRight');
  await within(2000, 'Right again: lane 32', showsCraftIn(page, 32));
  await other.close();
  await page.close();
});

test('the arrows never scroll the page; every other key, and Alt with an arrow, is the browser\'s',
    async () => {
      const page = await browser.newPage();
      await page.setViewport({width: 500, height: 300});
      await page.goto(pageUrl);
      // Listened to after the page's own listener, so it sees what that did.
      await page.evaluate(() => {
        window.keysSeen = [];
        addEventListener('keydown', (e) => keysSeen.push(`${e.key} ${e.defaultPrevented}`));
      });
      for (const key of ['ArrowDown', 'ArrowDown', 'ArrowRight', 'ArrowUp', 'ArrowLeft']) {
        await page.keyboard.press(key);
      }
      await sleep(200);
      assert.equal(await page.evaluate(() => scrollY), 0, 'an arrow scrolled the page');
      await page.keyboard.press('PageDown');
      await within(2000, 'Page Down scrolls', () => page.evaluate(() => scrollY > 0));
      await page.keyboard.press('a');
      await page.keyboard.down('Alt');
      await page.keyboard.press('ArrowDown');
      await page.keyboard.up('Alt');
      assert.deepEqual(await page.evaluate(() => keysSeen), [
        'ArrowDown true', 'ArrowDown true', 'ArrowRight true', 'ArrowUp true', 'ArrowLeft true',
        'PageDown false', 'a false', 'Alt false', 'ArrowDown false']);
      await page.close();
    });

// Two ways a page is hidden; either way nothing is painted while it is.
const hidingWays = [
  ['another tab in front', async (page) => {
    const other = await page.browser().newPage();
    await other.bringToFront();
    return async () => {
      await page.bringToFront();
      await other.close();
    };
  }],
  // Only the DevTools protocol can minimise the browser's window.
  ['the browser minimised', async (page) => {
    const session = await page.createCDPSession();
    const {windowId} = await session.send('Browser.getWindowForTarget');
    const state = (windowState) => session.send('Browser.setWindowBounds', {windowId, bounds: {windowState}});
    await state('minimized');
    return () => state('normal');
  }],
];
for (const [way, hide] of hidingWays) {
  const skip = engine === 'firefox' && way === 'the browser minimised' &&
      'WebDriver BiDi cannot minimise the browser window';
  test(`a hidden page stands still and goes on when shown: ${way}`, {skip}, async () => {
    const {page} = await openPage(browser, pageUrl);
    await within(2000, 'the first frames', showsCraftIn(page, 0));
    const show = await hide(page);
    await within(2000, 'the page hidden', () => page.evaluate(() => document.hidden));
    const hidden = await readFrame(page);
    await sleep(1500);
    assert.ok((await readFrame(page)).rgb.equals(hidden.rgb), 'the game moved while hidden');
    await show();
    await within(3000, 'the game going on', async () => !(await readFrame(page)).rgb.equals(hidden.rgb));
    await page.close();
  });
}

test('without a 2D context the page shows the start-up failure and runs no loop', async () => {
  const {page} = await openPage(browser, pageUrl, {before: () => {
    HTMLCanvasElement.prototype.getContext = () => null;
    window.timersSet = 0;
    const setTimer = window.setTimeout;
    window.setTimeout = (...args) => {
      ++window.timersSet;
      return setTimer(...args);
    };
  }});
  await sleep(300);
  const shown = await page.$eval('#failure', (box) => ({
    hidden: box.hidden,
    caption: box.querySelector('.caption').textContent,
    text: box.querySelector('.text').textContent,
  }));
  assert.deepEqual(shown, {hidden: false, caption: 'Error', text: 'Window class registration failed!'});
  assert.equal(await page.evaluate(() => timersSet), 0, 'a frame loop runs');
  await page.close();
});

test('from disk and from a web host: it plays, stores nothing, asks for nothing, logs nothing',
    async () => {
      await fromDiskAndHost(async (url) => {
          const {page, seen} = await openPage(browser, url);
          await within(2000, `${url}: the craft`, showsCraftIn(page, 0));
          await page.keyboard.press('ArrowUp');
          await sleep(1500);
          const stored = await page.evaluate(async () => ({
            cookie: document.cookie,
            local: localStorage.length,
            session: sessionStorage.length,
            databases: (await indexedDB.databases()).length,
          }));
          assert.deepEqual(stored, {cookie: '', local: 0, session: 0, databases: 0}, url);
          // Chromium reports the page's own request, Firefox its icon's data.
          const asked = seen.requests.filter((u) => u !== url && !u.startsWith('data:'));
          assert.deepEqual(asked, [], `${url}: requests`);
          assert.deepEqual([...seen.console, ...seen.errors], [], `${url}: console`);
          await page.close();
      });
    });

// The page's own policy refuses a fetch, whoever makes it: here its console.
test('the page\'s policy refuses a fetch, even of its own address', async () => {
  await fromDiskAndHost(async (url, hosted) => {
      const {page} = await openPage(browser, url);
      const outcome = await page.evaluate(async (target) => {
        const violations = [];
        addEventListener('securitypolicyviolation', (e) => violations.push(e.effectiveDirective));
        const fetched = await fetch(target).then(() => 'fetched', () => 'refused');
        await new Promise((resolve) => setTimeout(resolve, 100));
        return {fetched, violations};
      }, hosted);
      assert.deepEqual(outcome, {fetched: 'refused', violations: ['connect-src']}, url);
      await page.close();
  });
});

// The pad is for touch screens: a desktop page shows none of it.
test('a desktop page has no arrow pad', async () => {
  const {page} = await openPage(browser, pageUrl);
  const shown = await page.$$eval('#pad button', (buttons) =>
    buttons.filter((button) => button.getClientRects().length > 0).length);
  assert.equal(shown, 0);
  await page.close();
});
