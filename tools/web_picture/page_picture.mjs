// page_picture.mjs PAGE PNG [phone|desktop]: the page in headless Chromium
// once the first level's caption has gone, as a phone held upright shows it
// (390 x 844 CSS pixels with a touch screen) or as a desktop window does
// (820 x 610): the README's pictures.
//
// Run with node from anywhere; the DevTools-protocol library is the browser
// tests' (npm ci in tools/web first).
import {resolve} from 'node:path';
import {pathToFileURL} from 'node:url';

import {launchBrowser, sleep} from '../web/browser.mjs';

const [pagePath, picture, kind = 'phone'] = process.argv.slice(2);
const viewports = {
  phone: {width: 390, height: 844, isMobile: true, hasTouch: true},
  desktop: {width: 820, height: 610},
};
const browser = await launchBrowser();
const page = await browser.newPage();
await page.setViewport(viewports[kind]);
await page.goto(pathToFileURL(resolve(pagePath)).href);
await sleep(6000);
await page.screenshot({path: picture});
await browser.close();
