// Makes the page lighter for every player who downloads it: the game's script with its names
// shortened (terser, from Debian's node-terser), and index.html without its comments and with
// its own script shortened the same way. Run by the web build:
//
//   node minify.js script FILE          shortens the script in place
//   node minify.js page SOURCE OUTPUT   writes the lighter page
"use strict";
const { minify } = require("terser");
const fs = require("fs");

async function shorten(code, toplevel) {
  // `Module` is the name the page and the game's script share.
  const result = await minify(code, { ecma: 2018, toplevel, compress: { passes: 2 },
    mangle: { reserved: ["Module"] } });
  return result.code;
}

async function main() {
  const [mode, source, output = source] = process.argv.slice(2);
  const text = fs.readFileSync(source, "utf8");
  if (mode === "script") {
    fs.writeFileSync(output, await shorten(text, true));
    return;
  }
  // The page's own names stay: its elements' handlers and the game reach them.
  const start = text.indexOf("<script>") + "<script>".length, end = text.indexOf("</script>");
  const script = await shorten(text.slice(start, end), false);
  const markup = (part) => part.replace(/<!--[\s\S]*?-->/g, "").replace(/\/\*[\s\S]*?\*\//g, "")
    .replace(/\n\s*/g, "\n");
  fs.writeFileSync(output, markup(text.slice(0, start)) + script + markup(text.slice(end)));
}

main().catch((error) => {
  console.error("minify.js: " + error.message);
  process.exitCode = 1;
});
