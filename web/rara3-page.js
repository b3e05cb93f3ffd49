// The page around the game: the canvas at whole-factor scale, the save
// folder kept in IndexedDB, sound once the player allows it, the tune as a
// recording, messages, and the keys a browser keeps for itself.
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
  let module = null;

  // --- The canvas: the largest whole factor that fits the window. ---
  function fit() {
    const scale = Math.max(1, Math.floor(Math.min(window.innerWidth / WIDTH,
                                                  (window.innerHeight - 8) / HEIGHT)));
    canvas.style.width = WIDTH * scale + 'px';
    canvas.style.height = HEIGHT * scale + 'px';
  }
  window.addEventListener('resize', fit);
  fit();

  // --- Messages. ---
  function messageBox(text) {
    const dialog = document.getElementById('message');
    document.getElementById('message-text').textContent = text;
    if (!dialog.open) dialog.showModal();
  }
  function reportError(line) {
    console.warn('rara3: ' + line);
    notice.textContent = line;
    notice.hidden = false;
  }

  // --- The save folder: written through to IndexedDB after every write. ---
  const storage = { syncing: false, again: false, saved: 0, failed: 0 };
  function persist() {
    if (storage.syncing) {
      storage.again = true;
      return;
    }
    storage.syncing = true;
    module.FS.syncfs(false, (err) => {
      storage.syncing = false;
      if (err) {
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

  // --- Sound starts at the first key or click. ---
  const sound = { allowed: false, started: null, own: null };
  // The game's audio context (SDL's, which plays the effects); the tune
  // shares it, or has one of its own where the effects have none.
  function audioContext() {
    if (module && module.SDL2 && module.SDL2.audioContext) return module.SDL2.audioContext;
    return sound.own;
  }
  function allowSound() {
    if (sound.allowed || !module) return;
    if (!audioContext()) {
      try {
        sound.own = new AudioContext();
      } catch (e) {
        reportError('No sound: ' + e.message);
        return;
      }
    }
    const ctx = audioContext();
    sound.allowed = true;
    invite.hidden = true;
    if (ctx.state !== 'running') ctx.resume();
    sound.started = music.start(ctx).catch((e) => reportError('No music: ' + e.message));
  }
  window.addEventListener('keydown', allowSound, true);
  window.addEventListener('pointerdown', allowSound, true);
  invite.addEventListener('click', () => { allowSound(); invite.blur(); });

  // Nothing plays in a hidden tab; the frame callback stops by itself.
  document.addEventListener('visibilitychange', () => {
    const ctx = audioContext();
    if (!ctx || !sound.allowed || page.hasEnded) return;
    if (document.hidden) ctx.suspend(); else ctx.resume();
  });

  // --- The keys a browser keeps: buttons that send them. ---
  for (const button of document.querySelectorAll('button[data-key]')) {
    button.addEventListener('click', () => {
      if (module) module._rara3_key(Number(button.dataset.key), Number(button.dataset.mask));
      button.blur();
    });
  }
  document.getElementById('fullscreen').addEventListener('click', (e) => {
    document.getElementById('stage').requestFullscreen().catch(() => {});
    e.target.blur();
  });
  document.getElementById('again').addEventListener('click', () => location.reload());

  // --- What the game calls. ---
  const page = {
    firstFrameMs: null,
    frames: 0,
    present(rgba) {
      image.data.set(rgba);
      context.putImageData(image, 0, 0);
      if (this.firstFrameMs === null) this.firstFrameMs = performance.now();
      this.frames++;
    },
    showCursor(show) { canvas.classList.toggle('nocursor', !show); },
    messageBox,
    reportError,
    persist,
    hasEnded: false,
    ended() {
      this.hasEnded = true;
      document.getElementById('ended').hidden = false;
      invite.hidden = true;
      if (audioContext()) audioContext().suspend();
    },
    music,
    storage,
    sound,
  };
  window.rara3 = { page, module: null };

  function startGame() {
    createRara3({
      rara3Page: page,
      preRun: [(m) => {
        module = m;
        // The save folder comes back from IndexedDB before main runs.
        m.FS.mkdir(SAVE);
        m.FS.mount(m.FS.filesystems.IDBFS, {}, SAVE);
        m.addRunDependency('rara3-save');
        m.FS.syncfs(true, (err) => {
          if (err) reportError('Saved games could not be read from this browser: ' + (err.message || err));
          m.removeRunDependency('rara3-save');
        });
      }],
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
    }).then((m) => {
      module = m;
      window.rara3.module = m;
    }).catch((e) => messageBox('Rara3 cannot start in this browser: ' + e.message));
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
  if (navigator.locks) {
    navigator.locks.request('rara3-game', { ifAvailable: true }, (lock) => {
      if (!lock) {
        messageBox('Rara3 is already open in another tab or window of this browser.');
        return undefined;
      }
      startGame();
      return new Promise(() => {});
    });
  } else {
    startGame();
  }
})();
