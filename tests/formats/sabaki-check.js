#!/usr/bin/env node
// An independent check of the SGF files Stonewise writes: game records of the corpus are converted
// with `stonewise-cli convert` (the three output encodings in turn), the written file is parsed by
// another program's parser (@sabaki/sgf), and every line of play it finds must be a line that
// `stonewise-cli info --lines` finds in the same file, and the other way round. The written file is
// also read as the same game in its details: the root's setup stones are the source file's, every
// comment of the source file stands in a comment of the written one with its real line breaks (no
// backslashes in their place), marks and labels stand in the node of their move or position (a
// node of marks alone only with a comment of its own), and no node is empty but the one that ends
// a line where variations fork after its last move. Files on boards other than 19 and 13 lines are refused.
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

// Whitespace and control-character runs as one blank: comments compared whatever their line breaks.
function squeezed(text) {
  return text.replace(/[\s\u0000-\u001f]+/g, ' ').trim()
}

// Every node of a tree, with its parent.
function allNodes(tree) {
  const out = []
  const stack = [[tree, null]]
  while (stack.length > 0) {
    const [node, parent] = stack.pop()
    out.push([node, parent])
    for (const child of node.children) stack.push([child, node])
  }
  return out
}

// The points of a list of point values, compressed rectangles ("aa:cc") expanded.
function points(values) {
  const out = []
  for (const v of values || []) {
    if (v.length === 5 && v[2] === ':') {
      const [x1, y1, x2, y2] = [v.charCodeAt(0), v.charCodeAt(1), v.charCodeAt(3), v.charCodeAt(4)]
      for (let x = Math.min(x1, x2); x <= Math.max(x1, x2); x++)
        for (let y = Math.min(y1, y2); y <= Math.max(y1, y2); y++) out.push(String.fromCharCode(x, y))
    } else out.push(v)
  }
  return out.sort()
}

const markIds = ['CR', 'SQ', 'TR', 'MA', 'LB']

// What the written file must keep of the source in its details; a list of the differences.
function detailDifferences(sourceText, writtenText) {
  const problems = []
  const source = sgf.parse(sourceText)[0]
  const written = sgf.parse(writtenText)[0]
  // The source's comments: each stands in one written comment, as text with real line breaks.
  const writtenComments = allNodes(written).map(([n]) => (n.data.C || []).concat(n.data.GC || []).join('\n'))
  const haystack = writtenComments.map(squeezed).join('\n')
  for (const [node] of allNodes(source))
    for (const c of (node.data.C || []).concat(node.data.GC || [])) {
      const text = squeezed(c.replace(/^<\d+>/, ''))
      if (text !== '' && !haystack.includes(text)) problems.push(`comment lost or changed: ${text.slice(0, 60)}`)
    }
  if (writtenComments.some(c => /\\\\/.test(c) && !sourceText.includes('\\\\\\\\')))
    problems.push('a comment holds backslashes for line breaks')
  // The setup stones before the first move of the main line.
  const start = tree => {
    const stones = {AB: [], AW: []}
    for (let n = tree; n; n = n.children[0]) {
      if (n.data.B || n.data.W) break
      for (const id of ['AB', 'AW']) stones[id].push(...points(n.data[id]))
    }
    return stones
  }
  const [before, after] = [start(source), start(written)]
  for (const id of ['AB', 'AW'])
    if (before[id].sort().join() !== after[id].sort().join())
      problems.push(`${id} of the start differ: ${before[id].sort().join()} vs ${after[id].sort().join()}`)
  for (const [node, parent] of allNodes(written)) {
    const ids = Object.keys(node.data)
    if (ids.length === 0 && (node.children.length > 0 || !parent || parent.children.length < 2))
      problems.push('an empty node')
    // Marks stand with their move, with the stones of a position, or alone with their own comment;
    // a node of marks after one that holds the same identifiers continues it (an identifier stands
    // once in a node).
    const setup = node.data.AB || node.data.AW || node.data.AE
    const continues = parent && ids.some(id => markIds.includes(id) && parent.data[id])
    if (parent && ids.some(id => markIds.includes(id)) && !node.data.B && !node.data.W && !node.data.C && !setup &&
        !continues)
      problems.push(`marks in a node of their own: ${ids.join(',')}`)
  }
  return problems.slice(0, 3)
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
let refused = 0
let lineCount = 0
try {
  files.forEach((file, i) => {
    // Every third file and every file of the folders that stress nesting and encodings.
    if (i % 3 !== 0 && !/(variations|large|encodings|edge-cases|commented)/.test(file)) return
    const encoding = encodings[i % 3]
    const written = path.join(temp, `${i}.sgf`)
    try {
      try {
        execFileSync(cli, ['convert', file, written, '--encoding', encoding], {stdio: ['ignore', 'ignore', 'pipe']})
      } catch (e) {
        if (/neither 19 nor 13 lines/.test(String(e.stderr))) {
          refused++
          return
        }
        throw e
      }
      const writtenText = decode(fs.readFileSync(written))
      const theirs = sabakiLines(writtenText)
      const ours = ourLines(written)
      if (theirs.join('\n') !== ours.join('\n')) {
        failures++
        const missing = ours.filter(l => !theirs.includes(l)).slice(0, 2)
        const extra = theirs.filter(l => !ours.includes(l)).slice(0, 2)
        console.error(`DIFFERENT ${path.relative(corpus, file)} (${encoding}): ours ${ours.length} lines, ` +
          `@sabaki/sgf ${theirs.length}\n  only ours: ${missing.join(' | ').slice(0, 300)}\n` +
          `  only theirs: ${extra.join(' | ').slice(0, 300)}`)
      }
      if (/\.sgf$/i.test(file)) {
        // Sources in UTF-8 (or ASCII) that @sabaki/sgf reads; the charsets have checks of their own.
        let sourceText = null
        try {
          sourceText = new TextDecoder('utf-8', {fatal: true}).decode(fs.readFileSync(file))
          if (sgf.parse(sourceText).length < 1) sourceText = null
        } catch (e) {
          sourceText = null
        }
        if (sourceText !== null && (!/CA\[/i.test(sourceText) || /CA\[\s*utf-?8/i.test(sourceText)) &&
            !/Tamarindo:/.test(sourceText)) {
          const problems = detailDifferences(sourceText, writtenText)
          if (problems.length > 0) {
            failures++
            console.error(`DETAILS ${path.relative(corpus, file)} (${encoding}): ${problems.join('; ')}`)
          }
        }
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
console.log(`@sabaki/sgf read ${checked} files written by stonewise-cli (${lineCount} lines of play); ${failures} differ; ` +
  `${refused} files on other boards refused`)
process.exit(failures === 0 && checked > 100 ? 0 : 1)
