#!/usr/bin/env node
// Reads every SGF file of a folder with @sabaki/sgf, again and again for at least MIN_SECONDS, and
// prints one line of JSON: the bytes of one pass, the passes, wall and CPU seconds, MB/s of each,
// and how many files the parser refused. parseBuffer is given the file's bytes, so the parser
// detects and decodes the charset as it does for a file a user opens.
//
// usage: sabaki-read.js CORPUS_DIR NODE_MODULES_DIR [MIN_SECONDS]
'use strict'

const fs = require('fs')
const path = require('path')

const [corpus, modules, minSecondsText] = process.argv.slice(2)
if (!corpus || !modules) {
  console.error('usage: sabaki-read.js CORPUS_DIR NODE_MODULES_DIR [MIN_SECONDS]')
  process.exit(2)
}
const minSeconds = Number(minSecondsText || 5)
const sgf = require(path.join(modules, '@sabaki', 'sgf'))

function sgfFiles(dir) {
  const out = []
  for (const entry of fs.readdirSync(dir, {withFileTypes: true})) {
    const full = path.join(dir, entry.name)
    if (entry.isDirectory()) out.push(...sgfFiles(full))
    else if (/\.sgf$/i.test(entry.name)) out.push(full)
  }
  return out.sort()
}

const buffers = sgfFiles(corpus).map(f => fs.readFileSync(f))
const bytes = buffers.reduce((n, b) => n + b.length, 0)

function pass() {
  let refused = 0
  for (const b of buffers) {
    try {
      sgf.parseBuffer(b)
    } catch (e) {
      refused++
    }
  }
  return refused
}

pass() // warm up the JIT
const startWall = process.hrtime.bigint()
const startCpu = process.cpuUsage()
let passes = 0
let refused = 0
let wall = 0
do {
  refused = pass()
  passes++
  wall = Number(process.hrtime.bigint() - startWall) / 1e9
} while (wall < minSeconds)
const used = process.cpuUsage(startCpu)
const cpu = (used.user + used.system) / 1e6
const mb = (bytes * passes) / 1e6
console.log(
  JSON.stringify({files: buffers.length, bytes, passes, wall, cpu, wallMBs: mb / wall, cpuMBs: mb / cpu, refused})
)
