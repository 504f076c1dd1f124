// The web game in Debian's headless Chromium, driven over the DevTools protocol: real key
// events, the game's own pictures checked by the desktop tests' png_probe, its sound, its replay
// checked by the desktop game (TINYARCADE in the environment), and a page served from a plain
// static folder that asks nothing of any other host.
//
//   node browser_test.js WEB_FOLDER PNG_PROBE TITLE.txt            the tests
//   node browser_test.js WEB_FOLDER PNG_PROBE TITLE.txt --measure  first frame and frame times
"use strict";
const puppeteer = require("puppeteer-core");
const { execFileSync } = require("child_process");
const fs = require("fs"), http = require("http"), os = require("os"), path = require("path");

const [folder, pngProbe, title, mode] = process.argv.slice(2);
const TYPES = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm" };
const work = fs.mkdtempSync(path.join(os.tmpdir(), "tinyarcade-web-"));
const failures = [];
let passed = 0;

function check(what, ok, detail = "") {
  if (ok) passed++; else failures.push(what + (detail ? ": " + detail : ""));
  console.log((ok ? "ok   " : "FAIL ") + what + (ok || !detail ? "" : " (" + detail + ")"));
}

// Polls until `probe` gives something, for `seconds` at most.
async function waitFor(what, probe, seconds = 30) {
  for (const end = Date.now() + seconds * 1000; Date.now() < end;) {
    const found = await probe();
    if (found) return found;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  throw new Error("waited in vain for " + what);
}

// A plain static server: files as they are, nothing else.
function serve() {
  const server = http.createServer((request, response) => {
    const name = path.join(folder, path.normalize(decodeURIComponent(request.url.split("?")[0]))
      .replace(/^(\.\.[/\\])+/, "").replace(/\/$/, "/index.html"));
    fs.readFile(name, (error, body) => {
      response.writeHead(error ? 404 : 200, { "Content-Type": TYPES[path.extname(name)] || "application/octet-stream" });
      response.end(error ? "" : body);
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// Taps the page before its scripts run: the first frame's time, frames drawn, animation frames
// (passes of the main loop), and every sound
// buffer that SDL hands to Web Audio with its loudest sample and the audio context's state.
function tap() {
  window.tap = { firstFrame: 0, frames: 0, passes: 0, buffers: [] };
  const draw = WebGLRenderingContext.prototype.drawArrays;
  WebGLRenderingContext.prototype.drawArrays = function (...args) {
    if (!window.tap.firstFrame) window.tap.firstFrame = performance.now();
    window.tap.frames++;
    return draw.apply(this, args);
  };
  const next = window.requestAnimationFrame;
  window.requestAnimationFrame = (callback) => next((time) => (window.tap.passes++, callback(time)));
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    let loudest = 0;
    for (let c = 0; c < this.buffer.numberOfChannels; c++) {
      for (const v of this.buffer.getChannelData(c)) loudest = Math.max(loudest, Math.abs(v));
    }
    window.tap.buffers.push({ loudest, state: this.context.state, rate: this.buffer.sampleRate });
    return start.apply(this, args);
  };
}

let shots = 0;
// Presses Print Screen (a real key, or the page's button) and returns the downloaded picture.
async function shot(page, useButton) {
  const file = path.join(work, "screen" + shots++ + ".png");
  if (useButton) await page.click("#save"); else await page.keyboard.press("PrintScreen");
  return waitFor(file, () => fs.existsSync(file) && fs.statSync(file).size > 0 && file, 10);
}

// A picture shows the frame presented last, which may still be one from before the last key or
// resize: takes pictures until `wanted` finds what it looks for in one, for `seconds` at most.
async function shotUntil(page, wanted, { button = false, seconds = 20 } = {}) {
  let file = null, found = null;
  await waitFor("a picture", async () => (found = wanted((file = await shot(page, button)))), seconds).catch(() => {});
  return [file, found];
}

function probe(...args) {
  try {
    return execFileSync(pngProbe, args, { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] }).trim();
  } catch (error) {
    return null;
  }
}

// The desktop game's --check of a replay, in the folder of the title picture's dat/: its line.
function checkNatively(replay) {
  try {
    return execFileSync(process.env.TINYARCADE, ["--check", replay],
      { cwd: path.dirname(path.dirname(title)), encoding: "utf8", stdio: ["ignore", "pipe", "pipe"] }).trim();
  } catch (error) {
    return ((error.stdout || "") + (error.stderr || "") || error.message).trim();
  }
}

async function main() {
  const server = await serve();
  const origin = "http://127.0.0.1:" + server.address().port;
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium", headless: true, userDataDir: path.join(work, "profile"),
    defaultViewport: { width: 1280, height: 1000 },
    // No autoplay flag: the sound must start on the first key, as for a player.
    args: ["--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      "--no-first-run"],
  });
  try {
    const page = await browser.newPage();
    const errors = [], foreign = [];
    page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
    page.on("pageerror", (error) => errors.push(error.message));
    page.on("request", (request) => request.url().startsWith(origin) || request.url().startsWith("data:") || foreign.push(request.url()));
    const cdp = await browser.target().createCDPSession();
    await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: work });
    await page.evaluateOnNewDocument(tap);
    await page.goto(origin + "/");
    await waitFor("the first frame", () => page.evaluate(() => window.tap.frames > 0));
    if (mode === "--measure") return await measure(page);

    check("the canvas has the keyboard", await page.evaluate(() => document.activeElement.id === "canvas"));
    const [front, frontScores] = await shotUntil(page, (file) => probe("front", file, title), { button: true });
    check("the window is the largest multiple of 128 x 96 that fits", probe("size", front) === "1280 960", probe("size", front));
    check("the front page, saved by the button", frontScores === "-1 -1", frontScores);
    await page.setViewport({ width: 700, height: 600 });
    const [smaller, smallerScores] = await shotUntil(page, (file) => probe("size", file) === "640 480" && probe("front", file, title), { button: true });
    check("a smaller window, a smaller multiple", probe("size", smaller) === "640 480", probe("size", smaller));
    check("the front page at that size", smallerScores === "-1 -1", smallerScores);
    const silentBefore = await page.evaluate(() => window.tap.buffers.length);

    await page.keyboard.press("Space");
    const [, game] = await shotUntil(page, (file) => probe("game", file, "0", "0") !== null);
    check("a key starts a game; Print Screen saves it", game);

    const sound = await waitFor("sound", () => page.evaluate((before) => {
      const after = window.tap.buffers.slice(before);
      return after.length >= 20 && after;
    }, silentBefore), 20).catch(() => []);
    check("after a click and a key the sound runs at 44100 Hz", sound.length >= 20 && sound.every((b) => b.state === "running" && b.rate === 44100));
    check("the mixed sound is not silent", sound.some((b) => b.loudest > 0.01));

    // Left alone, the first baby slips past in a few seconds: a time paradox.
    const [, scores] = await shotUntil(page, (file) => probe("front", file, title), { seconds: 60 });
    const [last, best] = (scores || "").split(" ").map(Number);
    check("a time paradox returns to the front page with score and best", scores !== null && last >= 0 && last === best, scores);

    // The run so far, saved as a replay: the desktop game computes the same run from it.
    await page.click("#replay");
    const saved = path.join(work, "tinyarcade.replay");
    const replay = await waitFor("the replay", () => fs.existsSync(saved) && fs.statSync(saved).size > 0 && saved, 10).catch(() => null);
    const checked = replay ? checkNatively(replay) : "no replay downloaded";
    check("a replay saved in the browser checks ok on the desktop",
      new RegExp(`^ticks \\d+ games 1 last ${last} best ${best} ok$`).test(checked), checked);

    await page.keyboard.press("ArrowDown");
    const ended = await waitFor("the end", () => page.evaluate(() =>
      document.getElementById("canvas").hidden && document.getElementById("status").textContent), 10).catch(() => "");
    check("Down on the front page ends the game with a line saying so", /ended.*play again/i.test(ended), ended);
    check("no errors in the console", errors.length === 0, errors.join(" | "));
    check("no requests but to the static folder", foreign.length === 0, foreign.join(" "));
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
  console.log(`${passed} passed, ${failures.length} failed`);
  process.exitCode = failures.length ? 1 : 0;
}

// Not a test: the first frame after navigation, and the main thread's time per frame on the front
// page and in a game, from Chromium's own task accounting.
async function measure(page) {
  const [first, loaded] = await page.evaluate(() => [window.tap.firstFrame,
    Math.max(...performance.getEntriesByType("resource").map((entry) => entry.responseEnd))]);
  const sample = async () => ({ task: (await page.metrics()).TaskDuration, frames: await page.evaluate(() => window.tap.passes) });
  const perFrame = async () => {
    const a = await sample();
    await new Promise((resolve) => setTimeout(resolve, 5000));
    const b = await sample();
    return { ms: (1000 * (b.task - a.task)) / (b.frames - a.frames), fps: (b.frames - a.frames) / 5 };
  };
  const frontPage = await perFrame();
  await page.keyboard.press("Space");
  const game = await perFrame();
  console.log(`first frame ${first.toFixed(0)} ms after navigation (all files in after ${loaded.toFixed(0)} ms)`);
  console.log(`main thread per animation frame: front page ${frontPage.ms.toFixed(2)} ms at ${frontPage.fps.toFixed(1)}/s, game ${game.ms.toFixed(2)} ms at ${game.fps.toFixed(1)}/s`);
}

main().catch((error) => {
  console.error("FAIL " + error.message);
  process.exitCode = 1;
});
