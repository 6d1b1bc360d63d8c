// The page around the web reader: it hands the engine the issue (data.rs
// beside this page), keeps the reader's settings and history in the
// browser's storage, scales the 640x480 screen sharply, turns touches into
// the reader's clicks and page keys, and offers saved texts as downloads.
"use strict";

const READER_FOLDER = "/reader";
const STORE = { database: "diskmag", table: "files" };
// Files of one issue are kept apart from another issue's on the same site.
const STORE_PREFIX = location.pathname.replace(/[^/]*$/, "") + "|";

const canvas = document.getElementById("canvas");
const stage = document.getElementById("stage");
const statusLine = document.getElementById("status");
const printed = [];

function say(text) {
  statusLine.textContent = text;
}

// --- The browser's storage: one IndexedDB table of file contents by path.

function openStore() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open(STORE.database, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(STORE.table);
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

function storeTransaction(mode, work) {
  return openStore().then(db => new Promise((resolve, reject) => {
    const transaction = db.transaction(STORE.table, mode);
    const result = work(transaction.objectStore(STORE.table));
    transaction.oncomplete = () => { db.close(); resolve(result.result); };
    transaction.onerror = () => { db.close(); reject(transaction.error); };
  }));
}

function keptFiles() {
  return storeTransaction("readonly", table => {
    const found = { result: [] };
    table.openCursor().onsuccess = event => {
      const cursor = event.target.result;
      if (!cursor) return;
      if (String(cursor.key).startsWith(STORE_PREFIX)) {
        found.result.push([cursor.key.slice(STORE_PREFIX.length), cursor.value]);
      }
      cursor.continue();
    };
    return found;
  });
}

function keepFile(path, bytes) {
  return storeTransaction("readwrite", table => table.put(bytes, STORE_PREFIX + path));
}

// --- What the engine writes for its user.

// Only names within the reader's folder are taken back from storage.
function safeRelative(path) {
  return !path.startsWith("/") && !path.split("/").some(part => part === ".." || part === "");
}

function readerFileKept(path) {
  if (!safeRelative(path)) return;
  keepFile(path, FS.readFile(path)).catch(error => say("Settings not kept: " + error));
}

function readerFileSaved(path) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([FS.readFile(path)], { type: "text/plain" }));
  link.download = path.replace(/^.*\//, "");
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

// --- Starting the engine.

// ?start=DATA/arts/NAME.art opens that article at once; a name that is not
// a plain relative path is left out, and the reader starts as usual.
function startArguments() {
  const start = new URLSearchParams(location.search).get("start");
  const plain = start && /^[A-Za-z0-9_.\/-]+$/.test(start) && safeRelative(start);
  return plain ? ["--start", start] : [];
}

function loadIssue() {
  Module.addRunDependency("issue");
  FS.mkdir(READER_FOLDER);
  FS.chdir(READER_FOLDER);
  const issue = fetch("data.rs").then(response => {
    if (!response.ok) throw new Error("data.rs: " + response.status + " " + response.statusText);
    return response.arrayBuffer();
  }).then(bytes => FS.writeFile("data.rs", new Uint8Array(bytes)));
  const kept = keptFiles().then(files => {
    for (const [path, bytes] of files) {
      if (!safeRelative(path)) continue;
      const folder = path.replace(/[^/]*$/, "");
      if (folder) FS.mkdirTree(folder);
      FS.writeFile(path, bytes);
    }
  }).catch(() => {});  // no storage (a private window): the defaults serve
  Promise.all([issue, kept]).then(() => {
    say("");
    Module.removeRunDependency("issue");
  }, error => say("The issue could not be loaded (" + error.message + ")."));
}

function ended(status) {
  const message = printed.filter(line => line.trim() !== "").join(" ");
  say(message ? "The reader stopped: " + message : "The reader has ended.");
  const again = document.createElement("button");
  again.type = "button";
  again.textContent = "Read again";
  again.onclick = () => location.reload();
  statusLine.append(" ", again);
}

var Module = {
  canvas: canvas,
  arguments: ["--skip-setup"].concat(startArguments()),
  preRun: [loadIssue],
  print: line => printed.push(line),
  printErr: line => printed.push(line),
  onExit: ended,
  readerFileKept: readerFileKept,
  readerFileSaved: readerFileSaved,
};

// --- The screen: whole multiples of the device's pixels where they fit.

function fitCanvas() {
  const ratio = window.devicePixelRatio || 1;
  const across = stage.clientWidth * ratio / 640, down = stage.clientHeight * ratio / 480;
  const fit = Math.min(across, down);
  const scale = fit >= 1 ? Math.floor(fit) : fit;
  canvas.style.width = (640 * scale / ratio) + "px";
  canvas.style.height = (480 * scale / ratio) + "px";
}

window.addEventListener("resize", fitCanvas);
document.addEventListener("fullscreenchange", fitCanvas);
new ResizeObserver(fitCanvas).observe(stage);
fitCanvas();

document.getElementById("fullscreen").addEventListener("click", () => {
  if (document.fullscreenElement) document.exitFullscreen();
  else stage.requestFullscreen().catch(() => {});
  canvas.focus();
});

// --- Touch: a tap is a click where it lands; a vertical swipe turns the page.

const SWIPE_MIN = 40;  // CSS pixels
const TAP_MAX = 10;
let touchStart = null;

function mouseAt(type, touch) {
  canvas.dispatchEvent(new MouseEvent(type, {
    bubbles: true, cancelable: true, button: 0, buttons: type === "mousedown" ? 1 : 0,
    clientX: touch.clientX, clientY: touch.clientY, screenX: touch.screenX, screenY: touch.screenY,
  }));
}

function pressKey(code) {
  for (const type of ["keydown", "keyup"]) {
    const event = new KeyboardEvent(type, { bubbles: true, cancelable: true });
    Object.defineProperty(event, "keyCode", { get: () => code });
    document.dispatchEvent(event);
  }
}

// Caught on the way down, before the engine's own handlers take a touch
// for a pressed button that a swipe would then click.
stage.addEventListener("touchstart", event => {
  event.preventDefault();
  event.stopPropagation();
  const touch = event.changedTouches[0];
  touchStart = { x: touch.clientX, y: touch.clientY, touch: touch };
}, { capture: true, passive: false });

stage.addEventListener("touchmove", event => {
  event.preventDefault();
  event.stopPropagation();
}, { capture: true, passive: false });

stage.addEventListener("touchend", event => {
  event.preventDefault();
  event.stopPropagation();
  if (!touchStart) return;
  const touch = event.changedTouches[0];
  const dx = touch.clientX - touchStart.x, dy = touch.clientY - touchStart.y;
  if (Math.abs(dx) <= TAP_MAX && Math.abs(dy) <= TAP_MAX) {
    mouseAt("mousemove", touch);
    mouseAt("mousedown", touch);
    mouseAt("mouseup", touch);
  } else if (Math.abs(dy) >= SWIPE_MIN && Math.abs(dy) > 1.5 * Math.abs(dx)) {
    pressKey(dy < 0 ? 34 : 33);  // up the screen: the next page (PageDown)
  }
  touchStart = null;
  canvas.focus();
}, { capture: true, passive: false });
