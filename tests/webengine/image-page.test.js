// The picture page image.html in jsdom: the picture it is given through the encoded "img"
// parameter becomes the picture element's address, never markup, and butt() turns it.
//   node image-page.test.js PATH/TO/image.html   (jsdom on NODE_PATH)
"use strict";
const test = require("node:test");
const assert = require("node:assert");
const fs = require("node:fs");
const { JSDOM } = require("jsdom");

const page = fs.readFileSync(process.argv[2], "utf8");
const pageAddress = "file:///C:/Program%20Files/PimloOCR/image.html";

// The page opened with query, its scripts run.
function open(query) {
  return new JSDOM(page, { url: pageAddress + query, runScripts: "dangerously" }).window;
}

function picture(window) {
  return window.document.getElementById("picture");
}

test("the encoded img path becomes the picture's file address", () => {
  const rows = [
    // Every character a Windows name may hold beside letters, and Chinese.
    ["C:\\相片\\a #&+%' b.png", "file:///C:/%E7%9B%B8%E7%89%87/a%20%23%26%2B%25'%20b.png"],
    ["\\\\server\\share\\x.png", "file://server/share/x.png"],
    ['D:\\"><img src=x onerror="window.injected=1">.png',
     "file:///D:/%22%3E%3Cimg%20src%3Dx%20onerror%3D%22window.injected%3D1%22%3E.png"],
  ];
  for (const [path, address] of rows) {
    const window = open("?img=" + encodeURIComponent(path));
    assert.strictEqual(picture(window).getAttribute("src"), address, path);
    assert.strictEqual(window.document.images.length, 1, path);
    assert.strictEqual(window.injected, undefined, path);
  }
});

test("a plus stays a plus and other parameters are left alone", () => {
  const window = open("?zoom=2&img=C:\\a+b.png&x=1");
  assert.strictEqual(picture(window).getAttribute("src"), "file:///C:/a%2Bb.png");
});

test("a missing or broken img shows no picture", () => {
  for (const query of ["", "?img=", "?image=C%3A%5Ca.png", "?img=%E4%B8", "?img=%zz"]) {
    assert.strictEqual(picture(open(query)).getAttribute("src"), null, query);
  }
});

test("butt() turns the picture clockwise a quarter turn at a time", () => {
  const window = open("?img=" + encodeURIComponent("C:\\a.png"));
  const turns = [];
  for (let i = 0; i < 4; i++) {
    window.butt();
    turns.push(/rotate\((\d+)deg\)/.exec(picture(window).style.transform)[1]);
  }
  assert.deepStrictEqual(turns, ["90", "180", "270", "0"]);
});
