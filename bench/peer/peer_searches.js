// The peer library's seasons and eclipse searches over 1500-2499, timed in
// its own process after loading (so without its start-up): prints
// "NAME MILLISECONDS COUNT" for seasons, lunar eclipses and global solar eclipses.
const A = require('astronomy-engine');

function timed(name, search) {
    const start = process.hrtime.bigint();
    const count = search();
    const ms = Number(process.hrtime.bigint() - start) / 1e6;
    console.log(`${name} ${ms.toFixed(1)} ${count}`);
}

const first = new Date(Date.UTC(1500, 0, 1)), last = new Date(Date.UTC(2500, 0, 1));
const what = process.argv[2];
if (what === 'seasons')
    timed('seasons', () => {
        let n = 0;
        for (let year = 1500; year <= 2499; ++year, n += 4) A.Seasons(year);
        return n;
    });
if (what === 'lunar-eclipses')
    timed('lunar-eclipses', () => {
        let n = 0;
        for (let e = A.SearchLunarEclipse(first); e.peak.date < last; e = A.NextLunarEclipse(e.peak)) ++n;
        return n;
    });
if (what === 'solar-eclipses')
    timed('solar-eclipses', () => {
        let n = 0;
        for (let e = A.SearchGlobalSolarEclipse(first); e.peak.date < last; e = A.NextGlobalSolarEclipse(e.peak)) ++n;
        return n;
    });
