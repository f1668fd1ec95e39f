// SPDX-License-Identifier: MIT
// How many trajectory samples of the web edition differ from the desktop's: each design is
// launched in the WebAssembly module (its "Save" of the trajectory, as the page downloads it)
// and flown by the native zorbal-cli (fly --trajectory -); the sample lines are compared.
//
//   NODE_PATH=/usr/share/nodejs node --no-experimental-fetch bench/web_trajectory_diff.js \
//       build-web/src/web/zorbal.js build/app/zorbal-cli
'use strict';
const { execFileSync } = require('child_process');

const [modulePath, cli] = process.argv.slice(2);
const createZorbal = require(require('path').resolve(modulePath));

// The default design, then a grid over volume, filling factor, pressure, nozzle and angle, with
// and without the parachute.
const designs = [{}];
for (const volume of ['0.5', '2', '10'])
  for (const fill of ['10', '30', '60'])
    for (const pressure of ['1.5', '4', '7'])
      for (const nozzle of ['9', '22'])
        for (const angle of ['45', '80'])
          for (const parachute of [false, true])
            designs.push({ inputs: { 0: volume, 1: fill, 3: pressure, 4: nozzle, 7: angle }, parachute });

createZorbal().then((M) => {
  let samples = 0, differing = 0, designsDiffering = 0, refused = 0, largest = 0;
  for (const design of designs) {
    const s = new M.Session();
    s.act('click', 'cmdOK', '');
    const args = ['fly', '--trajectory', '-', design.parachute ? '--parachute' : '--no-parachute'];
    for (const [i, text] of Object.entries(design.inputs || {})) {
      s.act('input', 'txtInput_' + i, text);
      args.push('--input', i + '=' + text);
    }
    s.act('click', 'chkOptions_3', design.parachute ? '1' : '0');
    s.clearEffects();
    s.act('click', 'cmdLaunch', '');
    if (s.effectCount() > 0) { ++refused; s.delete(); continue; }
    s.act('click', 'cmdSaveTraj', '');
    let web = null;
    for (let i = 0; i < s.effectCount(); ++i)
      if (s.effectKind(i) === 1) web = Buffer.from(s.effectBytes(i)).toString('latin1');
    s.delete();
    const desktop = execFileSync(cli, args, { maxBuffer: 1 << 30 }).toString('latin1');
    const a = web.split('\r\n'), b = desktop.split('\r\n');
    let here = 0;
    for (let k = 1; k < Math.max(a.length, b.length); ++k) {
      if (!a[k] && !b[k]) continue;
      ++samples;
      if (a[k] !== b[k]) {
        ++here;
        const x = (a[k] || '').split('\t').map(Number), y = (b[k] || '').split('\t').map(Number);
        x.forEach((v, c) => {
          const scale = Math.max(Math.abs(v), Math.abs(y[c]), 1e-300);
          largest = Math.max(largest, Math.abs(v - y[c]) / scale);
        });
      }
    }
    if (k0(design)) console.log('default design: %d of %d samples differ', here, a.length - 2);
    differing += here;
    if (here) ++designsDiffering;
  }
  console.log('%d designs flown (%d refused): %d of %d samples differ (%s %%), in %d designs; largest relative difference %s',
    designs.length - refused, refused, differing, samples, (100 * differing / samples).toFixed(3), designsDiffering,
    largest.toExponential(2));
});

function k0(design) { return !design.inputs; }
