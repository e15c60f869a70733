// measure_web.mjs PAGE [SECONDS] [MINUTES] [--pad] [--beside=OTHER]: the web
// page in headless Chromium, measured from outside. Prints the page's size
// raw and gzipped; the time from opening it to its first frame (median of
// 10 loads); its ticks per second and the browser's CPU over SECONDS
// (default 60) beside a bare page (bare_page.html: a buffer of the same
// size presented every 17 ms), or beside OTHER (another build of the page),
// in a second browser measured at the same time; and the page's memory
// after one minute and after MINUTES (default 5) of play. With --pad the
// page has a (faked) gamepad attached.
//
// Run with node from anywhere; the DevTools-protocol library is the browser
// tests' (npm ci in tools/web first).
import {readFileSync, readdirSync} from 'node:fs';
import {dirname, join, resolve} from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';
import {gzipSync} from 'node:zlib';

import {launchBrowser, open, sleep} from '../web/browser.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const flags = process.argv.slice(2).filter((arg) => arg.startsWith('--'));
const [page = 'build/web/zephlet.html', seconds = 60, minutes = 5] =
    process.argv.slice(2).filter((arg) => !arg.startsWith('--'));
const pagePath = resolve(page);
const pageUrl = pathToFileURL(pagePath).href;
const beside = flags.find((flag) => flag.startsWith('--beside='));
const bareUrl = pathToFileURL(beside ? resolve(beside.slice(9)) : join(here, 'bare_page.html')).href;
const pad = flags.includes('--pad');

const frames = (page) => page.evaluate(() => [window.framesPresented, performance.now()]);

// The processes of a browser, from /proc: each with its CPU seconds so far,
// its resident memory and whether it is a renderer (a page's process).
function browserProcesses(browser) {
  const root = browser.process().pid;
  const all = new Map();
  for (const name of readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = readFileSync(`/proc/${name}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      all.set(Number(name), {
        parent: Number(fields[1]),
        cpu: (Number(fields[11]) + Number(fields[12])) / 100,  // clock ticks of 10 ms
        rssMiB: (Number(fields[21]) * 4096) / 1048576,
        renderer: readFileSync(`/proc/${name}/cmdline`, 'utf8').includes('--type=renderer'),
      });
    } catch {
      // the process ended meanwhile
    }
  }
  const inTree = (pid) => pid === root || (all.has(pid) && pid > 1 && inTree(all.get(pid).parent));
  return [...all].filter(([pid]) => inTree(pid)).map(([, process]) => process);
}
const cpuSeconds = (browser) => browserProcesses(browser).reduce((sum, p) => sum + p.cpu, 0);
const rendererMiB = (browser) =>
  Math.max(...browserProcesses(browser).filter((p) => p.renderer).map((p) => p.rssMiB));

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const bytes = readFileSync(pagePath);
console.log(`size: ${bytes.length} bytes, ${gzipSync(bytes, {level: 9}).length} gzipped`);

{
  const browser = await launchBrowser();
  const firsts = [];
  for (let i = 0; i < 10; ++i) {
    const {page} = await open(browser, pageUrl, {});
    await sleep(500);
    firsts.push(await page.evaluate(() => window.firstFrameMs));
    await page.close();
  }
  console.log(`first frame: median ${median(firsts).toFixed(0)} ms after opening ` +
              `(${Math.min(...firsts).toFixed(0)}-${Math.max(...firsts).toFixed(0)})`);
  await browser.close();
}

{
  const [game, bare] = [await launchBrowser(), await launchBrowser()];
  const gamePage = (await open(game, pageUrl, {pad})).page;
  await (pad && gamePage.evaluate(() => testPad('plug')));
  const barePage = (await open(bare, bareUrl, {})).page;
  await sleep(2000);
  const cpu = cpuSeconds;
  const start = [await frames(gamePage), await frames(barePage), cpu(game), cpu(bare), Date.now()];
  await sleep(seconds * 1000);
  const end = [await frames(gamePage), await frames(barePage), cpu(game), cpu(bare), Date.now()];
  const rate = (i) => ((end[i][0] - start[i][0]) * 1000) / (end[i][1] - start[i][1]);
  const wall = (end[4] - start[4]) / 1000;
  const gameCpu = (100 * (end[2] - start[2])) / wall;
  const bareCpu = (100 * (end[3] - start[3])) / wall;
  const other = beside ? beside.slice(9) : 'bare page';
  console.log(`ticks per second: ${rate(0).toFixed(2)} (${other}: ${rate(1).toFixed(2)} frames)`);
  console.log(`CPU of the browser: game${pad ? ' with a pad' : ''} ${gameCpu.toFixed(1)} %, ` +
              `${other} ${bareCpu.toFixed(1)} % ` +
              `of one core: ${(gameCpu / bareCpu).toFixed(2)} x`);
  await bare.close();

  if (minutes > 0) {
    const session = await gamePage.createCDPSession();
    await session.send('Performance.enable');
    const memory = async () => {
      const {metrics} = await session.send('Performance.getMetrics');
      const heap = metrics.find((m) => m.name === 'JSHeapUsedSize').value / 1048576;
      return `JS heap ${heap.toFixed(2)} MiB, renderer ${rendererMiB(game).toFixed(1)} MiB`;
    };
    await sleep(Math.max(0, 60000 - (Date.now() - start[4]) - 2000));
    const first = await memory();
    await sleep((minutes - 1) * 60000);
    console.log(`memory after 1 min: ${first}; after ${minutes} min: ${await memory()}`);
  }
  await game.close();
}

