// SPDX-License-Identifier: MIT
// Lighthouse's accessibility audit of the web edition as a user goes through it: the page loaded,
// the splash window, the main window after "OK", and the Investigate window, each at the viewport
// given (CSS px). Prints each step's score and the audits that failed, with their elements.
//   node audit.mjs SITE_FOLDER [WIDTH HEIGHT]      (default 1366 x 768)
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { startFlow } from 'lighthouse';

const [site, width = '1366', height = '768'] = process.argv.slice(2);
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png',
  '.jpg': 'image/jpeg', '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };
const server = http.createServer((request, response) => {
  let name = decodeURIComponent(request.url.split('?')[0]);
  if (name.endsWith('/')) name += 'index.html';
  const file = path.join(site, path.normalize(name));
  fs.readFile(file, (error, data) => {
    if (error) { response.writeHead(404); response.end(); return; }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    response.end(data);
  });
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/`;
const viewport = { width: Number(width), height: Number(height) };
const browser = await puppeteer.launch({
  executablePath: process.env.ZORBAL_CHROMIUM || '/usr/bin/chromium', args: ['--no-sandbox', '--headless=new'],
});
try {
  const page = await browser.newPage();
  const flow = await startFlow(page, { config: { extends: 'lighthouse:default', settings: { onlyCategories: ['accessibility'] } } });
  await flow.navigate(url);
  // The navigation's emulation leaves its own viewport: the one asked for, for the snapshots.
  await page.setViewport(viewport);
  await page.waitForFunction(() => document.documentElement.dataset.ready === 'splash');
  await flow.snapshot({ name: 'splash window' });
  await page.click('#cmdOK');
  await page.waitForFunction(() => !document.getElementById('frmZorbal').hidden);
  await flow.snapshot({ name: 'main window' });
  await page.click('#cmdInvestigate');
  await page.waitForFunction(() => document.getElementById('frmInvestigate').open);
  await flow.snapshot({ name: 'Investigate window' });
  const scale = await page.evaluate(() => document.getElementById('frmZorbal').style.zoom);
  console.log(`viewport ${width} x ${height}, the main window at ${scale} of its designed size`);
  for (const step of (await flow.createFlowResult()).steps) {
    const failed = Object.values(step.lhr.audits).filter((audit) => audit.score !== null && audit.score < 1 &&
      !['notApplicable', 'manual', 'informative'].includes(audit.scoreDisplayMode));
    console.log(`${step.name}: ${Math.round(step.lhr.categories.accessibility.score * 100)}`);
    for (const audit of failed) {
      const items = (audit.details && audit.details.items) || [];
      console.log(`  ${audit.id}: ${items.map((item) => item.node && item.node.selector).join(', ')}`);
    }
  }
} finally {
  await browser.close();
  server.close();
}
