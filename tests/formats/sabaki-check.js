#!/usr/bin/env node
// An independent check of the SGF files Stonewise writes: game records of the corpus are converted
// with `stonewise-cli convert` (the three output encodings in turn), the written file is parsed by
// another program's parser (@sabaki/sgf), and every line of play it finds must be a line that
// `stonewise-cli info --lines` finds in the same file, and the other way round.
//
// usage: sabaki-check.js STONEWISE_CLI CORPUS_DIR NODE_MODULES_DIR
'use strict'

const fs = require('fs')
const os = require('os')
const path = require('path')
const {execFileSync} = require('child_process')

const [cli, corpus, modules] = process.argv.slice(2)
if (!cli || !corpus || !modules) {
  console.error('usage: sabaki-check.js STONEWISE_CLI CORPUS_DIR NODE_MODULES_DIR')
  process.exit(2)
}
let sgf
try {
  sgf = require(path.join(modules, '@sabaki', 'sgf'))
} catch (e) {
  console.error(`@sabaki/sgf is not installed in ${modules}: run scripts/ensure-node-modules (${e.message})`)
  process.exit(1)
}
if (!fs.existsSync(cli)) {
  console.error(`${cli} does not exist: build stonewise-cli first`)
  process.exit(1)
}

// Every game-record file of the corpus, sorted.
function gameFiles(dir) {
  const out = []
  for (const entry of fs.readdirSync(dir, {withFileTypes: true})) {
    const full = path.join(dir, entry.name)
    if (entry.isDirectory()) out.push(...gameFiles(full))
    else if (/\.(sgf|ugf|ugi)$/i.test(entry.name)) out.push(full)
  }
  return out.sort()
}

// The text of a written file: UTF-16LE or UTF-8 by their marks, else Shift_JIS.
function decode(buffer) {
  if (buffer[0] === 0xff && buffer[1] === 0xfe) return new TextDecoder('utf-16le').decode(buffer.subarray(2))
  if (buffer[0] === 0xef && buffer[1] === 0xbb && buffer[2] === 0xbf)
    return new TextDecoder('utf-8').decode(buffer.subarray(3))
  return new TextDecoder('shift_jis').decode(buffer)
}

// Every line of play from the root to a leaf, as "B pd W dp ...", sorted.
function sabakiLines(text) {
  const trees = sgf.parse(text)
  if (trees.length !== 1) throw new Error(`${trees.length} game trees instead of one`)
  const lines = []
  // Runs of single children are walked in a loop: long main lines would make recursion deep.
  const stack = [[trees[0], []]]
  while (stack.length > 0) {
    const [node, moves] = stack.pop()
    const here = moves.slice()
    let n = node
    for (;;) {
      for (const colour of ['B', 'W'])
        if (n.data[colour] !== undefined) here.push(`${colour} ${n.data[colour][0] === '' ? 'tt' : n.data[colour][0]}`)
      if (n.children.length !== 1) break
      n = n.children[0]
    }
    if (n.children.length === 0) lines.push(here.join(' '))
    for (const child of n.children) stack.push([child, here])
  }
  return lines.sort()
}

function ourLines(file) {
  const out = execFileSync(cli, ['info', file, '--lines'], {encoding: 'utf8', maxBuffer: 1 << 28})
  return out
    .split('\n')
    .filter(l => l.startsWith('line: '))
    .map(l => l.slice(6).trim())
    .sort()
}

const files = gameFiles(corpus)
if (files.length === 0) {
  console.error(`no game records in ${corpus}`)
  process.exit(1)
}
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'stonewise-sabaki-'))
const encodings = ['sjis', 'utf8', 'utf16']
let failures = 0
let checked = 0
let lineCount = 0
try {
  files.forEach((file, i) => {
    // Every third file and every file of the folders that stress nesting and encodings.
    if (i % 3 !== 0 && !/(variations|large|encodings|edge-cases|commented)/.test(file)) return
    const encoding = encodings[i % 3]
    const written = path.join(temp, `${i}.sgf`)
    try {
      execFileSync(cli, ['convert', file, written, '--encoding', encoding], {stdio: ['ignore', 'ignore', 'pipe']})
      const theirs = sabakiLines(decode(fs.readFileSync(written)))
      const ours = ourLines(written)
      if (theirs.join('\n') !== ours.join('\n')) {
        failures++
        const missing = ours.filter(l => !theirs.includes(l)).slice(0, 2)
        const extra = theirs.filter(l => !ours.includes(l)).slice(0, 2)
        console.error(`DIFFERENT ${path.relative(corpus, file)} (${encoding}): ours ${ours.length} lines, ` +
          `@sabaki/sgf ${theirs.length}\n  only ours: ${missing.join(' | ').slice(0, 300)}\n` +
          `  only theirs: ${extra.join(' | ').slice(0, 300)}`)
      }
      lineCount += ours.length
      checked++
    } catch (e) {
      failures++
      console.error(`FAILED ${path.relative(corpus, file)} (${encoding}): ${e.message.split('\n')[0]}`)
    } finally {
      fs.rmSync(written, {force: true})
    }
  })
} finally {
  fs.rmSync(temp, {recursive: true, force: true})
}
console.log(`@sabaki/sgf read ${checked} files written by stonewise-cli (${lineCount} lines of play); ${failures} differ`)
process.exit(failures === 0 && checked > 100 ? 0 : 1)
