// A player who does not see the board: it reads only the accessibility tree (the squares of the
// board and which has the focus) and the live region, never a pixel, and plays by keys a whole
// game as the wolf and one as the hunters. After each move, what it heard must match the board
// the pixel reader sees, the computer's replies included.
'use strict';

const { log, fail, expectBoard } = require('./helpers');

const pause = (ms) => new Promise((r) => setTimeout(r, ms));

// A square's name, "c3", as the Board's (row, column).
function place(name) {
  return [10 - Number(name[1]), name.charCodeAt(0) - 'a'.charCodeAt(0) + 2];
}

// The squares as the accessibility tree names them, and the one with the focus.
async function hear(page) {
  const squares = {};
  let focused = null;
  const walk = (node) => {
    if (node.role === 'gridcell') {
      const [name, what] = node.name.split(', ');
      squares[name] = what;
      if (node.focused) focused = name;
    }
    (node.children || []).forEach(walk);
  };
  walk(await page.accessibility.snapshot({ interestingOnly: true }));
  return { squares, focused };
}

const said = (page) => page.$eval('#said', (e) => e.textContent);

// Presses a key and waits for the live region to say something new; what it said.
async function pressAndHear(page, key, limitMs = 15000) {
  const before = await said(page);
  await page.evaluate(() => { document.getElementById('said').textContent = ''; });
  await page.keyboard.press(key);
  const handle = await page.waitForFunction(() => document.getElementById('said').textContent,
                                            { timeout: limitMs }).catch(() => null);
  if (!handle) fail(`${key} was followed by no word (before it: "${before}")`);
  // The computer's reply and whose turn it is come in the same words; a moment for a last one.
  await pause(200);
  return said(page);
}

// The cursor moved square by square with the arrows, the focus following it.
async function moveTo(page, target) {
  for (let i = 0; i < 16; ++i) {
    const { focused } = await hear(page);
    if (focused === target) return;
    const [r, c] = place(focused), [tr, tc] = place(target);
    const key = r > tr ? 'ArrowUp' : r < tr ? 'ArrowDown' : c > tc ? 'ArrowLeft' : 'ArrowRight';
    await page.keyboard.press(key);
    await page.waitForFunction((was) => {
      const e = document.activeElement;
      return e && e.getAttribute('aria-label') && !e.getAttribute('aria-label').startsWith(was);
    }, { timeout: 5000 }, focused).catch(() => fail(`${key} did not move the focus from ${focused}`));
  }
  fail(`the focus never reached ${target}`);
}

// The board as heard, in the pixel reader's terms.
function pieces(squares) {
  const out = {};
  for (const [name, what] of Object.entries(squares)) {
    if (what === 'wolf' || what === 'hunter') out[place(name).join(',')] = what === 'wolf' ? 'W' : 'H';
  }
  return out;
}

// A move of the piece on `from` to `to` by the keys, and what was heard of it.
async function playMove(page, from, to, piece) {
  await moveTo(page, from);
  const picked = await pressAndHear(page, 'Enter');
  if (picked !== `${piece} picked up on ${from}.`) fail(`picking up on ${from} was told as "${picked}"`);
  await moveTo(page, to);
  const heard = await pressAndHear(page, 'Enter');
  if (!heard.startsWith(`${piece} from ${from} to ${to}.`)) fail(`the move was told as "${heard}"`);
  const { squares } = await hear(page);
  await expectBoard(page, pieces(squares), `what was heard after ${from} to ${to} ("${heard}")`, 5000);
  return heard;
}

// The first empty diagonal neighbour of a square, the rows to try first given.
function stepFrom(squares, name, rows) {
  const [r, c] = place(name);
  for (const dr of rows) {
    for (const dc of [-1, 1]) {
      const to = String.fromCharCode('a'.charCodeAt(0) + c + dc - 2) + (10 - (r + dr));
      if (squares[to] === 'empty') return to;
    }
  }
  return null;
}

// Plays `side` ('Wolf' or 'Hunter') until the game ends; the moves made and heard.
async function playGame(page, side) {
  for (let moves = 1; moves <= 40; ++moves) {
    const { squares } = await hear(page);
    const mine = Object.keys(squares).filter((n) => squares[n] === side.toLowerCase());
    // The hunters keep their line: the one farthest from the wolf steps up.
    const wolf = Object.keys(squares).find((n) => squares[n] === 'wolf');
    const far = (n) => Math.abs(n.charCodeAt(0) - wolf.charCodeAt(0));
    if (side === 'Hunter') mine.sort((a, b) => far(b) - far(a));
    let move = null;
    for (const from of mine) {
      const to = stepFrom(squares, from, side === 'Wolf' ? [1, -1] : [-1]);
      if (to) { move = [from, to]; break; }
    }
    if (!move) fail(`the ${side.toLowerCase()} heard no move it could make`);
    const heard = await playMove(page, ...move, side);
    if (/Волк|The wolf (is caught|has broken)/.test(heard)) return { moves, heard };
  }
  fail(`the game as the ${side.toLowerCase()} did not end`);
}

async function checkBlindPlayer(page) {
  await page.keyboard.press('Tab');
  let { focused } = await hear(page);
  if (!focused) fail('Tab did not reach the board');
  const asWolf = await playGame(page, 'Wolf');
  log(`a blind player's game as the wolf: ${asWolf.moves} moves heard as they were seen; "${asWolf.heard}"`);
  const mode = await pressAndHear(page, 'p');
  if (mode !== 'Play against the wolf.') fail(`P was told as "${mode}"`);
  // The new game comes 300 ms after N, and with it the computer wolf's opening move.
  const newGame = await pressAndHear(page, 'n');
  if (!/^New game: you are the hunters.*Wolf from [a-h][1-8] to [a-h][1-8]\. The hunters to move\.$/.test(newGame)) {
    fail(`the new game was told as "${newGame}"`);
  }
  const asHunters = await playGame(page, 'Hunter');
  log(`a blind player's game as the hunters: ${asHunters.moves} moves heard as they were seen; "${asHunters.heard}"`);
  ({ focused } = await hear(page));
  if (!focused) fail('the focus left the board');
}

module.exports = { checkBlindPlayer };
