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
// Longer than a game left alone lasts: its first baby slips past after about 134 ticks, and the
// ending takes 128 more (4.7 s).
const HIDDEN_MILLISECONDS = 8000;
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
      response.writeHead(error ? 404 : 200, { "Content-Type": TYPES[path.extname(name)] || "application/octet-stream",
        "Content-Length": error ? 0 : body.length });
      response.end(error ? "" : body);
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// Taps the page before its scripts run: the first frame's time, draw calls, animation frames
// (passes of the main loop), and every sound
// buffer that SDL hands to Web Audio with its loudest sample and the audio context's state.
function tap() {
  window.tap = { firstFrame: 0, frames: 0, passes: 0, buffers: [] };
  for (const [context, name] of [[CanvasRenderingContext2D, "drawImage"], [WebGLRenderingContext, "drawArrays"],
    [WebGLRenderingContext, "drawElements"]]) {
    const draw = context.prototype[name];
    context.prototype[name] = function (...args) {
      if (!window.tap.firstFrame) window.tap.firstFrame = performance.now();
      window.tap.frames++;
      return draw.apply(this, args);
    };
  }
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

// Each page's game numbers its pictures from 0: each page gets a folder of its own for them.
let shots = 0, downloads = work, session = null;
async function newDownloads() {
  shots = 0;
  downloads = fs.mkdtempSync(path.join(work, "downloads-"));
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
}

// Presses Print Screen (a real key, or the page's button) and returns the downloaded picture.
async function shot(page, useButton) {
  const file = path.join(downloads, "screen" + shots++ + ".png");
  if (useButton) await page.click("#save"); else await page.keyboard.press("PrintScreen");
  return waitFor(file, () => fs.existsSync(file) && fs.statSync(file).size > 0 && file, 10);
}

// A picture shows the frame presented last, which may still be one from before the last key or
// resize: takes pictures until `wanted` finds what it looks for in one, for `seconds` at most.
async function shotUntil(page, wanted, { button = false, seconds = 20 } = {}) {
  let file = null, found = null;
  await waitFor("a picture", async () => (found = await wanted((file = await shot(page, button)))), seconds).catch(() => {});
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
    session = await browser.target().createCDPSession();
    await newDownloads();
    await page.evaluateOnNewDocument(tap);
    await page.goto(origin + "/");
    await waitFor("the first frame", () => page.evaluate(() => window.tap.frames > 0));
    if (mode === "--measure") return await measure(page);

    check("the canvas has the keyboard", await page.evaluate(() => document.activeElement.id === "canvas"));
    check("without a touch screen, no touch controls", await page.evaluate(() => document.getElementById("pad")?.hidden !== false));
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
    // Held through the game and onto the front page, where a repeat of it would quit.
    await page.keyboard.down("ArrowDown");

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
    const saved = path.join(downloads, "tinyarcade.replay");
    const replay = await waitFor("the replay", () => fs.existsSync(saved) && fs.statSync(saved).size > 0 && saved, 10).catch(() => null);
    const checked = replay ? checkNatively(replay) : "no replay downloaded";
    check("a replay saved in the browser checks ok on the desktop",
      new RegExp(`^ticks \\d+ games 1 last ${last} best ${best} ok$`).test(checked), checked);

    await page.keyboard.down("ArrowDown"); // the browser's repeat of the held key
    await passes(page, 20);
    check("a held key's repeats are no new presses", await page.evaluate(() => !document.getElementById("canvas").hidden));
    await page.keyboard.up("ArrowDown");
    await page.keyboard.press("ArrowDown");
    const ended = await waitFor("the end", () => page.evaluate(() =>
      document.getElementById("canvas").hidden && document.getElementById("status").textContent), 10).catch(() => "");
    check("Down on the front page ends the game with a line saying so", /ended.*play again/i.test(ended), ended);
    check("no errors in the console", errors.length === 0, errors.join(" | "));
    check("no requests but to the static folder", foreign.length === 0, foreign.join(" "));
    await page.close();

    for (const test of [phone, gamepad, hiddenPage, soundSwitch, pixelRatio, loadFaults, progressBar]) {
      await test(browser, origin).catch((error) => check(test.name, false, error.message));
    }
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
  console.log(`${passed} passed, ${failures.length} failed`);
  process.exitCode = failures.length ? 1 : 0;
}

// Waits until the game's main loop has run `count` more passes, or has stopped.
async function passes(page, count) {
  const from = await page.evaluate(() => window.tap.passes);
  await waitFor(count + " passes", () => page.evaluate((end) => window.tap.passes >= end, from + count), 10).catch(() => {});
}

// A game whose catcher stands at `position`, with any score a few babies caught may give.
function catcherAt(file, position) {
  return ["0", "1", "2", "3"].some((score) => probe("game", file, score, String(position)) !== null);
}

async function openGame(browser, origin, viewport = { width: 1280, height: 1000 }, ...scripts) {
  await newDownloads();
  const page = await browser.newPage();
  await page.setViewport(viewport);
  await page.evaluateOnNewDocument(tap);
  for (const script of scripts) await page.evaluateOnNewDocument(script);
  await page.goto(origin + "/");
  await waitFor("the first frame", () => page.evaluate(() => window.tap.frames > 0));
  return page;
}

// The share of a picture's pixels that are not black: a game's picture is mostly black, its
// background while the player feels emotions mostly coloured specks.
function colouredShare(page, file) {
  return page.evaluate(async (png) => {
    const image = await createImageBitmap(await (await fetch("data:image/png;base64," + png)).blob());
    const context = new OffscreenCanvas(image.width, image.height).getContext("2d");
    context.drawImage(image, 0, 0);
    const pixels = context.getImageData(0, 0, image.width, image.height).data;
    let coloured = 0;
    for (let i = 0; i < pixels.length; i += 4) coloured += pixels[i] + pixels[i + 1] + pixels[i + 2] > 48;
    return coloured / (pixels.length / 4);
  }, fs.readFileSync(file).toString("base64"));
}

// The picture is a whole multiple of 128 x 96 device pixels, inside the window and clear of the
// touch controls.
async function phoneLayout(page, orientation) {
  const [box, controls, view] = await page.evaluate(() => {
    const rect = (element) => { const r = element.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; };
    return [rect(document.getElementById("canvas")), ["up", "down", "feel"].map((id) => rect(document.getElementById(id))),
      [window.innerWidth, window.innerHeight, window.devicePixelRatio]];
  });
  const [width, height] = [(box[2] - box[0]) * view[2], (box[3] - box[1]) * view[2]];
  const whole = Math.abs(width - Math.round(width)) < 0.01 && Math.round(width) % 128 === 0 && Math.round(width) / 128 === Math.round(height) / 96;
  const inside = box[0] >= 0 && box[1] >= 0 && box[2] <= view[0] && box[3] <= view[1];
  const clear = controls.every((c) => c[2] <= box[0] || c[0] >= box[2] || c[3] <= box[1] || c[1] >= box[3]);
  check(`a phone held ${orientation}: the picture a whole multiple of 128 x 96, in the window, clear of the controls`,
    whole && inside && clear, `${width} x ${height} at ${box.join(" ")}`);
  if (process.env.DOCS) await page.screenshot({ path: path.join(process.env.DOCS, `phone-${orientation}.png`) });
}

// A phone's touch screen (390 x 844): a tap on the picture starts a game, a finger held on Up
// moves the catcher to the top, one on "feel" as well changes the picture, and both are held at
// once; nothing on the page zooms, scrolls, selects or opens a menu.
async function phone(browser, origin) {
  const handset = { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
  const page = await openGame(browser, origin, handset);
  for (const [orientation, width, height] of [["landscape", 844, 390], ["portrait", 390, 844]]) {
    await page.setViewport({ ...handset, width, height });
    await passes(page, 3);
    await phoneLayout(page, orientation);
  }
  check("no zoom, scroll, selection or long-press menu", await page.evaluate(() => {
    const style = getComputedStyle(document.body);
    return style.touchAction === "none" && style.userSelect === "none" &&
      !document.getElementById("canvas").dispatchEvent(new MouseEvent("contextmenu", { bubbles: true, cancelable: true }));
  }));
  const client = await page.createCDPSession();
  const centre = (id) => page.$eval("#" + id, (e) => { const r = e.getBoundingClientRect(); return { x: r.x + r.width / 2, y: r.y + r.height / 2 }; });
  // The fingers on the screen now, each as [its number, where it is].
  const fingers = async (type, ...points) => {
    await client.send("Input.dispatchTouchEvent", { type, touchPoints: points.map(([id, point]) => ({ ...point, id })) });
    await passes(page, 2);
  };
  const [picture, up, feel] = [await centre("canvas"), await centre("up"), await centre("feel")];
  await fingers("touchStart", [0, picture]);
  await fingers("touchEnd");
  const [, game] = await shotUntil(page, (file) => probe("game", file, "0", "0") !== null);
  check("a tap on the picture starts a game", game);
  // Quickly, before the game's first baby slips past: feel, then Up with it, then feel lifted.
  await fingers("touchStart", [0, feel]);
  const [, feeling] = await shotUntil(page, (file) => colouredShare(page, file).then((share) => share > 0.5));
  check("a finger held on feel changes the picture", feeling);
  await fingers("touchStart", [0, feel], [1, up]);
  check("a second finger on Up: both keys held at once", await page.evaluate(() =>
    document.getElementById("up").classList.contains("held") && document.getElementById("feel").classList.contains("held")));
  await fingers("touchEnd", [0, feel]); // the fingers listed are the ones lifted
  const [, top] = await shotUntil(page, (file) => catcherAt(file, 42));
  check("feel lifted, Up still held: the catcher at the top", top);
  await fingers("touchEnd");
  await page.close();
}

// One gamepad in the standard layout, at rest, in place of the browser's.
function fakeGamepad() {
  window.pad = { index: 0, connected: true, mapping: "standard", axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
  navigator.getGamepads = () => [window.pad, null, null, null];
}

// A gamepad starts a game with any button, steers it with the stick (past its dead zone) and the
// d-pad, and leaves it with Back.
async function gamepad(browser, origin) {
  // A small window: quick pictures, before the game's first baby slips past.
  const page = await openGame(browser, origin, { width: 700, height: 600 }, fakeGamepad);
  const press = async (button, pressed = true) => {
    await page.evaluate((b, p) => (window.pad.buttons[b] = { pressed: p, value: p ? 1 : 0 }), button, pressed);
    await passes(page, 3);
  };
  const stick = (value) => page.evaluate((v) => (window.pad.axes[1] = v), value);
  await press(0);
  await press(0, false);
  await stick(-0.3); // inside the dead zone
  await passes(page, 3);
  const [, game] = await shotUntil(page, (file) => probe("game", file, "0", "0") !== null);
  check("the bottom face button starts a game; the stick at rest moves nothing", game);
  await stick(-1);
  const [, top] = await shotUntil(page, (file) => catcherAt(file, 42));
  check("the stick up moves the catcher to the top", top);
  await stick(0);
  await press(8);
  await press(8, false);
  // The front page after a game: scores of 0 or more.
  const [, front] = await shotUntil(page, (file) => /^\d+ \d+$/.test(probe("front", file, title)));
  check("Back leaves the game", front);
  await press(3);
  await press(3, false);
  await press(12);
  const [, again] = await shotUntil(page, (file) => catcherAt(file, 42));
  check("another button starts a game, the d-pad up moves the catcher to the top", again);
  await page.close();
}

// While the page is hidden the game and its sound wait: longer than a game left alone lasts,
// and yet the same game goes on when the page is shown again.
async function hiddenPage(browser, origin) {
  const page = await openGame(browser, origin);
  await page.keyboard.press("Space");
  await shotUntil(page, (file) => probe("game", file, "0", "0") !== null);
  const before = await page.evaluate(() => {
    for (const [name, value] of [["hidden", true], ["visibilityState", "hidden"]]) {
      Object.defineProperty(document, name, { value, configurable: true });
    }
    document.dispatchEvent(new Event("visibilitychange"));
    return { at: performance.now(), frames: window.tap.frames, buffers: window.tap.buffers.length };
  });
  await waitFor("the hidden time", () => page.evaluate((end) => performance.now() > end, before.at + HIDDEN_MILLISECONDS), 60);
  const during = await page.evaluate(() => ({ frames: window.tap.frames, buffers: window.tap.buffers.length }));
  check("a hidden page draws no frame of the game", during.frames === before.frames, during.frames - before.frames + " frames");
  check("a hidden page makes no sound", during.buffers === before.buffers, during.buffers - before.buffers + " buffers");
  await page.evaluate(() => {
    delete document.hidden;
    delete document.visibilityState;
    document.dispatchEvent(new Event("visibilitychange"));
  });
  // The game may be near its end by now, but no time has passed for it: not yet the front page.
  const front = probe("front", await shot(page), title);
  check("shown again, the same game goes on", front === null, "the front page with " + front);
  await page.close();
}

// "sound off" silences the game's sound, and the browser remembers it for the next visit.
async function soundSwitch(browser, origin) {
  const page = await openGame(browser, origin);
  const label = () => page.$eval("#sound", (button) => button.textContent);
  const newBuffers = async (count) => {
    const from = await page.evaluate(() => window.tap.buffers.length);
    return waitFor("sound", () => page.evaluate((start, end) => window.tap.buffers.length >= end && window.tap.buffers.slice(start), from, from + count), 20);
  };
  check("the sound is on at first", (await label()) === "sound off", await label());
  await page.keyboard.press("Space");
  await page.click("#sound");
  check("the button then offers the sound again", (await label()) === "sound on", await label());
  check("switched off, the sound is silent", (await newBuffers(10)).every((buffer) => buffer.loudest === 0));
  await page.reload();
  await waitFor("the first frame", () => page.evaluate(() => window.tap.frames > 0));
  await page.keyboard.press("Space");
  check("the browser remembers it off", (await label()) === "sound on", await label());
  check("and the sound stays silent", (await newBuffers(10)).every((buffer) => buffer.loudest === 0));
  await page.click("#sound");
  check("switched on, the sound plays again", (await newBuffers(20)).some((buffer) => buffer.loudest > 0.01));
  await page.close();
}

// At a device pixel ratio of 1.25 the picture lies on whole device pixels: every row of the
// picture on screen is equally tall (read from the browser's own screenshot).
async function pixelRatio(browser, origin) {
  const ratio = 1.25;
  const page = await openGame(browser, origin, { width: 1280, height: 1000, deviceScaleFactor: ratio });
  await passes(page, 5);
  const box = await page.$eval("#canvas", (canvas) => {
    const r = canvas.getBoundingClientRect();
    return [r.left, r.top, r.width, r.height].map((v) => v * window.devicePixelRatio);
  });
  check("the canvas lies on whole device pixels", box.every((v) => Math.abs(v - Math.round(v)) < 0.01), box.join(" "));
  const [left, top, width, height] = box.map(Math.round);
  const scale = width / 128;
  const screenshot = await page.screenshot({ encoding: "base64" });
  // Down a few picture columns, every change of colour must come at a whole picture row.
  const uneven = await page.evaluate(async (png, left, top, height, scale) => {
    const image = await createImageBitmap(await (await fetch("data:image/png;base64," + png)).blob());
    const context = new OffscreenCanvas(image.width, image.height).getContext("2d");
    context.drawImage(image, 0, 0);
    const found = [];
    for (let column = 4; column < 128; column += 8) {
      const x = Math.floor(left + (column + 0.5) * scale);
      const pixels = context.getImageData(x, top, 1, height).data;
      for (let y = 1; y < height; y++) {
        const changed = [0, 1, 2].some((c) => pixels[4 * y + c] !== pixels[4 * y - 4 + c]);
        if (changed && y % scale !== 0) found.push(`column ${column} at ${y}`);
      }
    }
    return found;
  }, screenshot, left, top, height, scale);
  check("every picture row is " + scale + " device pixels tall", Number.isInteger(scale) && uneven.length === 0, uneven.slice(0, 5).join(", "));
  await page.close();
}

// A file missing or damaged is named on the page in one line, with a button to reload it.
async function loadFaults(browser, origin) {
  const faults = [
    ["tinyarcade.data", "missing", (request) => request.respond({ status: 404, body: "" })],
    ["tinyarcade.wasm", "missing", (request) => request.respond({ status: 404, body: "" })],
    ["tinyarcade.data", "cut short", (request) => request.respond({ status: 200, body: fs.readFileSync(path.join(folder, "tinyarcade.data")).subarray(0, 60000) })],
    ["tinyarcade.wasm", "damaged", (request) => request.respond({ status: 200, contentType: "application/wasm", body: fs.readFileSync(path.join(folder, "tinyarcade.wasm")).subarray(0, 60000) })],
  ];
  for (const [file, how, respond] of faults) {
    const page = await browser.newPage();
    await page.setRequestInterception(true);
    page.on("request", (request) => (request.url().endsWith("/" + file) ? respond(request) : request.continue()));
    await page.goto(origin + "/");
    const line = await waitFor("a line", () => page.evaluate(() => !document.getElementById("again").hidden &&
      document.getElementById("status").textContent), 20).catch(() => "");
    check(`${file} ${how}: the page names it`, line.includes(file) && !line.includes("\n"), line);
    if (line) {
      await Promise.all([page.waitForNavigation(), page.click("#again")]);
      check(`${file} ${how}: the page's button reloads it`, await page.evaluate(() => document.getElementById("status").textContent !== ""));
    }
    await page.close();
  }
}

// On a slow line a bar shows the share of the files loaded.
async function progressBar(browser, origin) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(tap);
  await page.emulateNetworkConditions({ download: 200 * 1024, upload: 200 * 1024, latency: 20 });
  const seen = new Set();
  page.goto(origin + "/").catch(() => {});
  await waitFor("the first frame", async () => {
    const [value, text, frames] = await page.evaluate(() => [document.getElementById("progress")?.value,
      document.getElementById("status").textContent, window.tap?.frames]).catch(() => []);
    if (value > 0 && value < 1 && /\d %/.test(text)) seen.add(text);
    return frames > 0;
  }, 60).catch(() => {});
  check("a slow line shows the share loaded", seen.size >= 2, [...seen].join(", "));
  check("and the bar goes when the game starts", await page.evaluate(() => document.getElementById("progress")?.hidden === true));
  await page.close();
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
