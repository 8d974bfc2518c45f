// Velantra's web remote: follows the desk over a WebSocket and, once the PIN
// is given, drives it. Loads nothing from elsewhere.
"use strict";

(() => {
  const FADERS = 27;
  const PICTURES = 16;
  const SLOTS = 20;
  const OFFSET_MAX = 228;
  const TEMPO_MIN = 10;
  const TEMPO_MAX = 170;
  const FLUSH_MS = 40;        // continuous controls are sent at most this often
  const SEND_BUDGET = 45;     // messages a second the page allows itself (the desk takes 60)
  const HOLD_AFTER_MS = 400;  // a fader just moved here ignores the desk's echo this long

  const $ = (id) => document.getElementById(id);
  const state = {};
  let socket = null;
  let controlling = false;
  let latch = false;
  let retryMs = 1000;
  let locking = false;  // the page closes its socket to drop control
  const sentTimes = [];
  const pending = new Map();  // key -> message, the newest of each continuous control

  // ---- sending -----------------------------------------------------------
  function budgetLeft() {
    const now = performance.now();
    while (sentTimes.length && now - sentTimes[0] > 1000) sentTimes.shift();
    return SEND_BUDGET - sentTimes.length;
  }
  function sendNow(message) {
    if (!socket || socket.readyState !== WebSocket.OPEN) return false;
    socket.send(JSON.stringify(message));
    sentTimes.push(performance.now());
    return true;
  }
  function act(message) {
    if (controlling) sendNow(message);
  }
  function actSoon(key, message) {
    if (controlling) pending.set(key, message);
  }
  setInterval(() => {
    for (const [key, message] of pending) {
      if (budgetLeft() <= 0) break;
      pending.delete(key);
      sendNow(message);
    }
  }, FLUSH_MS);

  function note(text, kind) {
    const el = $("note");
    el.textContent = text;
    el.className = kind || "";
  }

  // ---- a fader: a horizontal bar moved by dragging, never by a tap --------
  // Relative: a touch where the thumb is not does not jump the level.
  function makeFader(el, min, max, onChange) {
    const fader = { el, min, max, value: min, movedAt: -Infinity, dragging: false };
    el.setAttribute("aria-valuemin", min);
    el.setAttribute("aria-valuemax", max);
    const fill = document.createElement("div");
    fill.className = "fill";
    const text = document.createElement("span");
    text.className = "value";
    el.append(fill, text);
    fader.show = (v) => {
      fader.value = v;
      fill.style.width = ((v - min) * 100 / (max - min)) + "%";
      text.textContent = v;
      el.setAttribute("aria-valuenow", v);
    };
    fader.follow = (v) => {
      if (performance.now() - fader.movedAt > HOLD_AFTER_MS && !fader.dragging) fader.show(v);
    };
    const set = (v) => {
      v = Math.max(min, Math.min(max, Math.round(v)));
      fader.movedAt = performance.now();
      if (v === fader.value) return;
      fader.show(v);
      onChange(v);
    };
    let startX = 0;
    let startValue = 0;
    let engaged = false;
    el.addEventListener("pointerdown", (e) => {
      if (!controlling) return;
      fader.dragging = true;
      engaged = false;
      startX = e.clientX;
      startValue = fader.value;
      el.setPointerCapture(e.pointerId);
    });
    el.addEventListener("pointermove", (e) => {
      if (!fader.dragging) return;
      const dx = e.clientX - startX;
      if (!engaged && Math.abs(dx) < 6) return;  // a tap or the start of a scroll
      if (!engaged) {
        engaged = true;
        startX = e.clientX;
      }
      set(startValue + (e.clientX - startX) * (max - min) / el.clientWidth);
      el.classList.add("moving");
    });
    const end = () => {
      fader.dragging = false;
      el.classList.remove("moving");
    };
    el.addEventListener("pointerup", end);
    el.addEventListener("pointercancel", end);
    el.addEventListener("lostpointercapture", end);
    el.addEventListener("keydown", (e) => {
      if (!controlling) return;
      const step = { ArrowRight: 1, ArrowUp: 1, ArrowLeft: -1, ArrowDown: -1, PageUp: 16, PageDown: -16 }[e.key];
      if (step !== undefined) {
        set(fader.value + step);
        e.preventDefault();
      }
    });
    fader.show(min);
    return fader;
  }

  // ---- building the controls --------------------------------------------
  function button(parent, cls, html) {
    const b = document.createElement("button");
    b.type = "button";
    b.className = "control " + cls;
    b.innerHTML = html;
    parent.append(b);
    return b;
  }
  function onPress(el, fn) {
    el.addEventListener("click", (e) => {
      e.preventDefault();
      fn();
    });
  }

  const pictureButtons = [];
  for (let k = 1; k <= PICTURES; ++k) {
    const b = button($("pictures"), "picture", String(k));
    b.setAttribute("aria-label", "Static picture " + k);
    b.setAttribute("aria-pressed", "false");
    let held = false;
    const release = () => {
      if (!held) return;
      held = false;
      act({ do: "flash", n: k, down: false });
    };
    b.addEventListener("pointerdown", (e) => {
      if (!controlling) return;
      if (latch) {
        act({ do: "picture", n: k, on: !(state.pictures && state.pictures[k - 1]) });
        return;
      }
      held = true;
      b.setPointerCapture(e.pointerId);
      act({ do: "flash", n: k, down: true });
    });
    b.addEventListener("pointerup", release);
    b.addEventListener("pointercancel", release);
    b.addEventListener("lostpointercapture", release);
    pictureButtons.push(b);
  }

  const faders = [];
  for (let row = 1; row <= FADERS; ++row) {
    const line = document.createElement("div");
    line.className = "fader-row";
    const channel = document.createElement("span");
    channel.className = "channel";
    const el = document.createElement("div");
    el.className = "fader";
    el.setAttribute("role", "slider");
    el.tabIndex = 0;
    const out = document.createElement("span");
    out.className = "out";
    line.append(channel, el, out);
    $("faders").append(line);
    const fader = makeFader(el, 0, 255, (v) => actSoon("fader" + row, { do: "fader", row, value: v }));
    fader.channel = channel;
    fader.out = out;
    faders.push(fader);
  }

  const tempo = makeFader($("tempo"), TEMPO_MIN, TEMPO_MAX, (v) => actSoon("tempo", { do: "tempo", value: v }));
  const nudgeTempo = (d) => {
    const v = Math.max(TEMPO_MIN, Math.min(TEMPO_MAX, tempo.value + d));
    tempo.movedAt = performance.now();
    tempo.show(v);
    act({ do: "tempo", value: v });
  };
  onPress($("tempo-down"), () => nudgeTempo(-1));
  onPress($("tempo-up"), () => nudgeTempo(1));

  const slotButtons = [];
  for (let k = 1; k <= SLOTS; ++k) {
    const b = button($("queue"), "slot", `<b>${k}</b><span class="show"></span>`);
    onPress(b, () => act({ do: "queue", slot: k }));
    slotButtons.push(b);
  }

  onPress($("play"), () => act({ do: "play" }));
  onPress($("stop"), () => act({ do: "stop" }));
  onPress($("step-back"), () => act({ do: "step", by: -1 }));
  onPress($("step-on"), () => act({ do: "step", by: 1 }));
  onPress($("blackout"), () => act({ do: "blackout" }));
  onPress($("on"), () => act({ do: "on" }));
  for (const n of [1, 2]) {
    onPress($("chaser-" + n), () => act({ do: "chaser", n, on: !(state.chasers && state.chasers[n - 1]) }));
  }
  const page = (d) => {
    const offset = Math.max(0, Math.min(OFFSET_MAX, (state.offset || 0) + d));
    act({ do: "page", offset });
  };
  onPress($("page-prev"), () => page(-FADERS));
  onPress($("page-next"), () => page(FADERS));
  onPress($("latch"), () => {
    latch = !latch;
    $("latch").setAttribute("aria-pressed", String(latch));
  });
  // A long press on a phone opens no menu over the desk.
  document.addEventListener("contextmenu", (e) => {
    if (e.target.closest("#desk")) e.preventDefault();
  });

  // ---- the PIN ------------------------------------------------------------
  $("pin-form").addEventListener("submit", (e) => {
    e.preventDefault();
    const pin = $("pin").value.trim();
    if (!/^[0-9]{6}$/.test(pin)) {
      note("The PIN is six digits", "bad");
      return;
    }
    sessionStorage.setItem("velantra-pin", pin);
    sendNow({ do: "pin", pin });
  });
  onPress($("lock"), () => {
    sessionStorage.removeItem("velantra-pin");
    setControlling(false);
    if (socket) {
      locking = true;
      socket.close(1000, "locked");
    }
  });

  function setControlling(on) {
    controlling = on;
    $("desk").classList.toggle("view-only", !on);
    $("pin-form").hidden = on;
    $("lock").hidden = !on;
    for (const b of document.querySelectorAll("#desk .control")) b.disabled = !on;
    for (const f of [...faders, tempo]) f.el.setAttribute("aria-disabled", String(!on));
  }

  // ---- showing the desk ---------------------------------------------------
  function render(changed) {
    if ("scene" in changed || "scenes" in changed) {
      $("scene").textContent = `${state.scene} / ${state.scenes}`;
    }
    if ("playing" in changed) {
      $("play").classList.toggle("lit", state.playing);
      $("play").setAttribute("aria-pressed", String(state.playing));
      $("stop").setAttribute("aria-pressed", String(!state.playing));
    }
    if ("blackout" in changed || "macro" in changed) {
      $("blackout").classList.toggle("lit", state.blackout);
      $("blackout").setAttribute("aria-pressed", String(state.blackout));
      document.body.classList.toggle("blacked-out", state.blackout);
    }
    if ("tempo" in changed) tempo.follow(state.tempo);
    if ("offset" in changed) {
      $("page-range").textContent = `${state.offset + 1}–${state.offset + FADERS}`;
      faders.forEach((f, i) => {
        f.channel.textContent = state.offset + i + 1;
        f.el.setAttribute("aria-label", "Channel " + (state.offset + i + 1));
        f.movedAt = -Infinity;  // another page: show its levels at once
      });
    }
    if ("faders" in changed) faders.forEach((f, i) => f.follow(state.faders[i]));
    if ("outputs" in changed) {
      faders.forEach((f, i) => {
        f.out.textContent = state.outputs[i];
        f.out.style.setProperty("--out", state.outputs[i] / 255);
      });
    }
    if ("pictures" in changed) {
      pictureButtons.forEach((b, i) => {
        b.classList.toggle("lit", !!state.pictures[i]);
        b.setAttribute("aria-pressed", String(!!state.pictures[i]));
      });
    }
    if ("chasers" in changed) {
      for (const n of [1, 2]) $("chaser-" + n).setAttribute("aria-pressed", String(!!state.chasers[n - 1]));
    }
    if ("queue" in changed) {
      const q = state.queue;
      $("queue-mode").textContent = q.hand ? "Press a slot to load its show" : "Plays its list";
      $("queue").classList.toggle("list-mode", !q.hand);
      slotButtons.forEach((b, i) => {
        const show = q.shows[i] || "";
        b.querySelector(".show").textContent = show || "—";
        b.classList.toggle("empty", !show);
        b.classList.toggle("lit", q.slot === i + 1);
        b.setAttribute("aria-label", `Slot ${i + 1}: ${show || "empty"}`);
      });
    }
  }

  // ---- the socket ---------------------------------------------------------
  function setLink(text, cls) {
    $("link").className = "dot " + cls;
    $("link").setAttribute("aria-label", text);
  }

  function connect() {
    setLink("Connecting", "wait");
    socket = new WebSocket(`ws://${location.host}/ws`);
    socket.onopen = () => {
      retryMs = 1000;
      setLink("Connected", "up");
      note(controlling ? "" : "View only: enter the PIN to control", "");
      const pin = sessionStorage.getItem("velantra-pin");
      if (pin) sendNow({ do: "pin", pin });
    };
    socket.onmessage = (event) => {
      let m;
      try {
        m = JSON.parse(event.data);
      } catch (err) {
        return;
      }
      if (m.t === "state") {
        delete m.t;
        Object.assign(state, m);
        render(m);
      } else if (m.t === "hello") {
        setControlling(false);
      } else if (m.t === "pin") {
        if (m.ok) {
          setControlling(true);
          $("pin").value = "";
          note("", "");
        } else {
          sessionStorage.removeItem("velantra-pin");
          note(m.why, "bad");
        }
      } else if (m.t === "refused") {
        note(m.why, "bad");
      }
    };
    socket.onclose = (event) => {
      setControlling(false);
      setLink("Not connected", "down");
      if (locking) {
        locking = false;
        connect();  // the operator locked this page: view only again at once
        return;
      }
      const why = event.reason ? `Closed: ${event.reason}` : "Connection lost";
      note(`${why}. Reconnecting…`, "bad");
      setTimeout(connect, retryMs);
      retryMs = Math.min(retryMs * 2, 8000);
    };
  }

  setControlling(false);
  connect();
})();
