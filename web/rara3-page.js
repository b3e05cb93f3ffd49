// The page around the game: the canvas fitted to the window with sharp
// pixels, the save folder kept in IndexedDB, sound once the player allows
// it, the tune as a recording, messages, full screen, and the keys a browser
// keeps for itself.
'use strict';

(() => {
  const WIDTH = 640;
  const HEIGHT = 480;
  const SAVE = '/save';
  // The tune 9 dB down, as on the desktop.
  const MUSIC_GAIN = Math.pow(10, -9 / 20);

  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d', { alpha: false });
  const image = context.createImageData(WIDTH, HEIGHT);
  const invite = document.getElementById('sound-invite');
  const notice = document.getElementById('notice');
  const loading = document.getElementById('loading');
  let module = null;

  // --- The canvas: the largest size that fits above the bar. ---
  // Where the window holds the picture at one CSS pixel per game pixel or
  // more, each game pixel is a whole number k of device pixels (640 * k /
  // devicePixelRatio CSS pixels wide), so pixels stay sharp, even squares
  // at any ratio. Below that (phones, narrow windows) the picture is
  // shrunk to fit: by whole device pixels when that loses at most a tenth
  // of the size, smoothly otherwise.
  const game = document.getElementById('game');
  const stage = document.getElementById('stage');
  const bar = document.getElementById('bar');
  const layout = { k: 0, sharp: false, cssScale: 0 };
  function alignStep(ratio) {
    for (let m = 1; m <= 16; m++) {
      if (Math.abs(m * ratio - Math.round(m * ratio)) < 1e-6) return m;
    }
    return 1;
  }
  const pad = document.getElementById('pad');
  function fit() {
    const ratio = window.devicePixelRatio || 1;
    // The touch buttons take a column beside the picture or a row under it.
    const landscape = game.clientWidth > game.clientHeight;
    game.classList.toggle('landscape', landscape);
    game.classList.toggle('portrait', !landscape);
    const touch = game.classList.contains('touch');
    const width = game.clientWidth - (touch && landscape ? pad.offsetWidth : 0);
    const height = game.clientHeight - bar.offsetHeight - (touch && !landscape ? pad.offsetHeight : 0);
    if (width <= 0 || height <= 0) return;
    const css = Math.min(width / WIDTH, height / HEIGHT);
    // The small term keeps an exact fit from rounding down.
    const k = Math.floor(css * ratio + 1e-6);
    const sharp = k >= 1 && (css >= 1 || k >= 0.9 * css * ratio);
    const scale = sharp ? k / ratio : css;
    // Centred at a whole number of CSS pixels that is also a whole number
    // of device pixels (a multiple of 4 at 1.25, of 2 at 1.5), so a sharp
    // picture starts on a device pixel however the browser rounds lengths.
    const step = alignStep(ratio);
    const left = Math.max(0, Math.floor((width - WIDTH * scale) / 2 / step) * step);
    const top = Math.max(0, Math.floor((height - HEIGHT * scale) / 2 / step) * step);
    stage.style.left = left + 'px';
    stage.style.top = top + 'px';
    // The canvas keeps its 640 x 480 box and is scaled by a transform:
    // browsers keep lengths in 1/64 CSS px, which cannot hold a size such as
    // 1280 / 3 px exactly, and a length a hair off shifts a column of pixels.
    canvas.style.transform = `scale(${scale})`;
    stage.style.width = WIDTH * scale + 'px';
    stage.style.height = HEIGHT * scale + 'px';
    canvas.classList.toggle('sharp', sharp);
    Object.assign(layout, { k: sharp ? k : 0, sharp, cssScale: scale });
  }
  window.addEventListener('resize', fit);
  function useTouch() {
    if (game.classList.contains('touch')) return;
    game.classList.add('touch');
    fit();
  }
  if (window.matchMedia && matchMedia('(pointer: coarse)').matches) game.classList.add('touch');
  // A new device pixel ratio (another screen, the browser's zoom) may come
  // without a resize.
  function watchRatio() {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
    query.addEventListener('change', () => { fit(); watchRatio(); }, { once: true });
  }
  watchRatio();
  fit();

  // --- Messages. ---
  function messageBox(text) {
    const dialog = document.getElementById('message');
    document.getElementById('message-text').textContent = text;
    if (!dialog.open) dialog.showModal();
  }
  function reportError(line) {
    console.warn('rara3: ' + line);
    // One line beside the buttons; the whole text on hover and in the console.
    notice.textContent = line;
    notice.title = line;
    notice.hidden = false;
  }

  // --- The save folder: written through to IndexedDB after every write,
  // and once more whenever the tab is hidden or left, as it may never run
  // again. ---
  const storage = { syncing: false, again: false, dirty: false, saved: 0, failed: 0, flushes: 0 };
  function persist() {
    storage.dirty = true;
    if (storage.syncing) {
      storage.again = true;
      return;
    }
    storage.syncing = true;
    storage.dirty = false;
    module.FS.syncfs(false, (err) => {
      storage.syncing = false;
      if (err) {
        storage.dirty = true;
        storage.failed++;
        messageBox('Your progress could not be stored in this browser (' + (err.message || err) +
                   '). The game keeps it until the page is closed and tries again at the next ' +
                   'save; free some space or allow this site to store data.');
      } else {
        storage.saved++;
      }
      if (storage.again) {
        storage.again = false;
        persist();
      }
    });
  }

  // Writes made while a sync was under way wait for it to end, which a
  // closing tab may not see: they are stored at once, beside it.
  function flushStorage() {
    // A floor cleared and not yet left by Enter is written first.
    if (module && module._rara3_leaving) module._rara3_leaving();
    if (!module || !module.FS || !(storage.dirty || storage.again)) return;
    storage.flushes++;
    storage.dirty = false;
    storage.again = false;
    module.FS.syncfs(false, (err) => {
      if (err) {
        storage.dirty = true;
        storage.failed++;
      } else {
        storage.saved++;
      }
    });
  }
  window.addEventListener('pagehide', flushStorage);
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') flushStorage();
  });

  // --- The tune, played by FluidSynth with the TimGM6mb soundfont when the
  // site was built, as one compressed recording. ---
  const TUNE_FILE = 'tune.opus';
  const music = {
    wanted: false, // started and not stopped
    closed: false,
    buffer: null, // the decoded recording
    source: null, // the recording now sounding
    output: null,
    ready: false,
    // The game hands over the tune's MIDI bytes; the page plays the
    // recording made from them instead.
    load() {},
    play() {
      if (this.closed) return;
      this.wanted = true;
      this.begin();
    },
    stop() {
      this.wanted = false;
      this.halt();
    },
    // Until the recording has arrived, a started tune counts as playing, so
    // the game does not start it again and again; it then begins from its
    // start.
    isPlaying() {
      if (!this.wanted) return false;
      return !this.ready || this.source !== null;
    },
    close() {
      this.stop();
      this.closed = true;
    },
    halt() {
      if (!this.source) return;
      const source = this.source;
      this.source = null;
      source.onended = null;
      source.stop();
      source.disconnect();
    },
    begin() {
      if (!this.ready || !this.wanted) return;
      this.halt();
      const source = this.output.context.createBufferSource();
      source.buffer = this.buffer;
      source.connect(this.output);
      source.onended = () => {
        if (this.source === source) {
          this.source = null;
          source.disconnect();
        }
      };
      this.source = source;
      source.start();
    },
    // Once the player has allowed sound: the recording, fetched and decoded
    // on the game's audio context, then the tune if it was started.
    async start(audioContext) {
      if (this.output) return;
      const gain = audioContext.createGain();
      gain.gain.value = MUSIC_GAIN;
      gain.connect(audioContext.destination);
      this.output = gain;
      const response = await fetch(TUNE_FILE);
      if (!response.ok) throw new Error(TUNE_FILE + ': ' + response.status);
      this.buffer = await audioContext.decodeAudioData(await response.arrayBuffer());
      this.ready = true;
      if (this.wanted) this.begin();
    },
  };

  // --- Sound starts at the first key or tap. ---
  // The page makes the audio context the effects and the tune share (SDL
  // takes it over), so a browser that refuses one leaves the game silent
  // but playing, with a line under the game.
  const sound = { allowed: false, started: null, context: null, made: false, refused: false };
  function noSound(e) {
    if (sound.refused) return;
    sound.refused = true;
    reportError('No sound in this browser (' + ((e && e.message) || e) + '); the game plays on silently.');
  }
  // Made when the game opens its sound, during its bring-up's pause: a new
  // audio context takes tens of milliseconds.
  function makeAudioContext() {
    try {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) throw new Error('no Web Audio');
      sound.context = new Context();
      // SDL plays the effects on it instead of its own.
      module.SDL2 = Object.assign(module.SDL2 || {}, { audioContext: sound.context });
    } catch (e) {
      sound.context = null;
      noSound(e);
      return;
    }
    // A key or tap may have come first.
    if (sound.allowed) startSound();
  }
  function resumeSound() {
    const ctx = sound.context;
    if (!ctx || !sound.allowed || page.hasEnded || document.hidden) return;
    if (ctx.state === 'running' || ctx.state === 'closed') return;
    let promise;
    try {
      promise = ctx.resume();
    } catch (e) {
      noSound(e);
      return;
    }
    if (promise) promise.catch(noSound);
  }
  // The effects come apart from the data file, after the tune: on a slow
  // link the music should not wait for a megabyte it does not need.
  const EFFECTS_FILE = 'effects.bin';
  async function fetchEffects() {
    const response = await fetch(EFFECTS_FILE);
    if (!response.ok) throw new Error(EFFECTS_FILE + ': ' + response.status);
    const bytes = new Uint8Array(await response.arrayBuffer());
    if (page.hasEnded) return;
    module.FS.writeFile('/pack/effects.bin', bytes);
    module._rara3_effects_arrived();
    // The game has its own copies now; the file would hold a second megabyte.
    module.FS.unlink('/pack/effects.bin');
    page.effectsFetched = true;
  }
  function startSound() {
    resumeSound();
    if (sound.started) return;
    sound.started = music.start(sound.context)
      .catch((e) => reportError('No music: ' + e.message))
      .then(fetchEffects)
      .catch((e) => reportError('No sound effects: ' + e.message));
  }
  function allowSound() {
    if (sound.allowed) return;
    sound.allowed = true;
    if (sound.context) startSound();
  }

  // The first key or tap answers the invitation and goes no further: Esc
  // pressed to dismiss it must not end the game. The key's repeats and its
  // release, and the tap's release, stay with it.
  const first = { answered: false, code: null, pointer: null };
  const PAGE_KEYS = new Set(['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', ' ', 'Enter',
                             'Escape']);
  window.addEventListener('keydown', (e) => {
    if (!first.answered || (first.code && e.code === first.code)) {
      if (!first.answered) {
        first.answered = true;
        first.code = e.code || null;
        allowSound();
        invite.hidden = true;
      }
      e.stopImmediatePropagation();
      // Not scrolled by, as the game's own keys are not.
      if (PAGE_KEYS.has(e.key) && !e.ctrlKey && !e.altKey && !e.metaKey) e.preventDefault();
      return;
    }
    resumeSound();
  }, true);
  window.addEventListener('keyup', (e) => {
    if (!first.code || e.code !== first.code) return;
    first.code = null;
    e.stopImmediatePropagation();
  }, true);
  window.addEventListener('pointerdown', (e) => {
    if (e.pointerType === 'touch') useTouch();
    if (!first.answered) {
      first.answered = true;
      first.pointer = e.pointerId;
      allowSound();
      e.stopImmediatePropagation();
      return;
    }
    resumeSound();
  }, true);
  // The invitation goes once the tap is over: gone at the press, it would
  // move the button under the pointer and lose the click.
  function firstPointerUp(e) {
    if (e.pointerId !== first.pointer) return;
    first.pointer = null;
    invite.hidden = true;
    e.stopImmediatePropagation();
  }
  window.addEventListener('pointerup', (e) => {
    // A touch lets sound start at its release, not its press.
    resumeSound();
    firstPointerUp(e);
  }, true);
  window.addEventListener('pointercancel', firstPointerUp, true);
  window.addEventListener('touchend', resumeSound, true);
  invite.addEventListener('click', () => {
    allowSound();
    invite.hidden = true;
  });

  // Nothing plays in a hidden tab; the frame callback stops by itself.
  document.addEventListener('visibilitychange', () => {
    const ctx = sound.context;
    if (!ctx || !sound.allowed || page.hasEnded) return;
    if (document.hidden) ctx.suspend().catch(() => {}); else resumeSound();
  });

  // --- The effects: SDL mixes them in a script processor on this thread,
  // which the browser calls dozens of times a second for as long as it is
  // joined to the speakers, in silence too. It is joined only while an
  // effect sounds, and a little after for what it still holds. ---
  const EFFECT_TAIL_S = 0.25;
  const effects = {
    node: null,
    joined: false,
    until: 0,
    opened(sdl) {
      const node = sdl && sdl.audio && sdl.audio.scriptProcessorNode;
      if (!node) return;
      this.node = node;
      this.joined = true;
      const mix = node.onaudioprocess;
      node.onaudioprocess = (e) => {
        mix(e);
        if (this.joined && node.context.currentTime > this.until) {
          node.disconnect(node.context.destination);
          this.joined = false;
        }
      };
    },
    sounds(seconds) {
      const node = this.node;
      if (!node) return;
      this.until = Math.max(this.until, node.context.currentTime + seconds + EFFECT_TAIL_S);
      if (!this.joined) {
        node.connect(node.context.destination);
        this.joined = true;
      }
    },
  };

  // --- The keys a browser keeps: buttons that send them. ---
  for (const button of document.querySelectorAll('button[data-key]')) {
    button.addEventListener('click', () => {
      if (module) module._rara3_key(Number(button.dataset.key), Number(button.dataset.mask));
      button.blur();
    });
  }
  // The touch buttons: the same key-downs as the keys.
  for (const button of pad.querySelectorAll('button[data-pad-key]')) {
    button.addEventListener('click', () => {
      if (module) module._rara3_key(Number(button.dataset.padKey), 0);
      button.blur();
    });
  }

  // --- The pointer on the canvas: presses, moves and releases in pixels
  // of the 640 x 480 picture, whatever its scale on the page. ---
  const pointer = { id: null };
  function toGame(e) {
    const r = canvas.getBoundingClientRect();
    return [Math.floor((e.clientX - r.left) * WIDTH / r.width),
            Math.floor((e.clientY - r.top) * HEIGHT / r.height)];
  }
  function sendPointer(kind, e) {
    if (!module || page.hasEnded) return;
    const [x, y] = toGame(e);
    module._rara3_pointer(kind, x, y);
  }
  canvas.addEventListener('pointerdown', (e) => {
    // One finger or the main button plays; the rest are ignored.
    if (pointer.id !== null || !e.isPrimary || e.button !== 0) return;
    pointer.id = e.pointerId;
    if (canvas.setPointerCapture) canvas.setPointerCapture(e.pointerId);
    e.preventDefault();
    sendPointer(0, e);
  });
  canvas.addEventListener('pointermove', (e) => {
    if (e.pointerType === 'mouse') showCursor(true);
    if (e.pointerId === pointer.id) sendPointer(1, e);
  });
  function pointerEnd(e) {
    if (e.pointerId !== pointer.id) return;
    pointer.id = null;
    sendPointer(2, e);
  }
  canvas.addEventListener('pointerup', pointerEnd);
  canvas.addEventListener('pointercancel', pointerEnd);
  // The pointer shows while the mouse is used, not while keys are.
  function showCursor(show) { canvas.classList.toggle('nocursor', !show); }
  window.addEventListener('keydown', () => showCursor(false));

  // Full screen takes the game and its bar, centred on black.
  const fullscreen = document.getElementById('fullscreen');
  if (!document.fullscreenEnabled || !game.requestFullscreen) fullscreen.hidden = true;
  fullscreen.addEventListener('click', () => {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    } else {
      game.requestFullscreen().catch((e) => reportError('No full screen: ' + e.message));
    }
    fullscreen.blur();
  });
  document.addEventListener('fullscreenchange', () => {
    fullscreen.textContent = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
    fit();
  });
  document.getElementById('again').addEventListener('click', () => location.reload());

  // --- What the game calls. ---
  const page = {
    firstFrameMs: null,
    effectsFetched: false,
    frames: 0,
    present(rgba) {
      image.data.set(rgba);
      context.putImageData(image, 0, 0);
      if (this.firstFrameMs === null) {
        this.firstFrameMs = performance.now();
        loading.hidden = true;
      }
      this.frames++;
    },
    showCursor,
    messageBox,
    reportError,
    persist,
    audioAvailable() {
      if (!sound.made) {
        sound.made = true;
        makeAudioContext();
      }
      return sound.context !== null;
    },
    hasEnded: false,
    ended() {
      this.hasEnded = true;
      document.getElementById('ended').hidden = false;
      invite.hidden = true;
      loading.hidden = true;
      if (sound.context) sound.context.suspend().catch(() => {});
    },
    music,
    effects,
    storage,
    sound,
    layout,
  };
  window.rara3 = { page, module: null };

  // The code the page began compiling as it loaded; a host that does not
  // send .wasm files as application/wasm gets it compiled from its bytes.
  function instantiateWasm(imports, done) {
    const compiled = window.rara3Code || Promise.reject(new Error('no streaming compile'));
    compiled.catch(() => fetch('rara3.wasm', { credentials: 'same-origin' }).then((response) => {
      if (!response.ok) throw new Error('rara3.wasm: ' + response.status);
      return response.arrayBuffer();
    }).then((bytes) => WebAssembly.compile(bytes)))
      .then((code) => WebAssembly.instantiate(code, imports).then((instance) => done(instance, code)))
      .catch((e) => {
        loading.hidden = true;
        messageBox('Rara3 cannot start in this browser: ' + e.message);
      });
    return {};
  }

  // The game loads and reads the save folder while the page waits for the
  // lock (held), but its main runs only once the lock is ours.
  function startGame(held) {
    const options = {
      rara3Page: page,
      instantiateWasm,
      preInit: [() => {
        // The game's module is this object, filled in by its code.
        const m = options;
        // The save folder comes back from IndexedDB while the game's code is
        // still being readied: both must be done before main runs.
        m.FS.mkdir(SAVE);
        m.FS.mount(m.FS.filesystems.IDBFS, {}, SAVE);
        m.addRunDependency('rara3-save');
        m.FS.syncfs(true, (err) => {
          if (err) reportError('Saved games could not be read from this browser: ' + (err.message || err));
          m.removeRunDependency('rara3-save');
        });
        m.addRunDependency('rara3-lock');
        held.then(() => m.removeRunDependency('rara3-lock'));
      }],
      // The page calls into the game only once its code is ready.
      preRun: [(m) => { module = m; }],
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
    };
    createRara3(options).then((m) => {
      module = m;
      window.rara3.module = m;
    }).catch((e) => {
      loading.hidden = true;
      messageBox('Rara3 cannot start in this browser: ' + e.message);
    });
  }

  // The site offline and on a home screen: the service worker caches it once
  // the page has loaded, so it never competes with the first frame. Pages
  // opened from a file have none.
  if ('serviceWorker' in navigator && window.isSecureContext) {
    window.addEventListener('load', () => {
      navigator.serviceWorker.register('sw.js').catch((e) => console.warn('rara3: no offline copy: ' + e.message));
    });
  }

  // One copy of the game per browser: two would overwrite each other's saves.
  const held = window.rara3Held.then((ours) => {
    if (ours) return undefined;
    loading.hidden = true;
    messageBox('Rara3 is already open in another tab or window of this browser.');
    return new Promise(() => {});
  });
  startGame(held);
})();
