#!/usr/bin/python3
"""The web remote in a real browser (headless Chromium through Selenium),
against a running velantra-player that writes to the fake USB interface.
Started by tools/remote_browser_test.sh, which sets:

  VELANTRA_REMOTE_URL      the page, http://127.0.0.1:PORT/
  VELANTRA_REMOTE_PIN      the PIN in the settings file
  VELANTRA_REMOTE_FRAMES   the file the fake interface writes each frame over
  VELANTRA_REMOTE_LOG      the player's log
  VELANTRA_REMOTE_SCREENSHOTS  where to save the screenshots (optional)

An operator unlocks the page, plays and stops the show, moves a fader and
sees the frame at the interface change; a second page follows; a wrong PIN,
a page of another origin and an oversized message are refused; the phone
layout has no horizontal scrolling and no control under 44 CSS px.
"""
import http.server
import os
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

URL = os.environ["VELANTRA_REMOTE_URL"]
PIN = os.environ["VELANTRA_REMOTE_PIN"]
FRAMES = os.environ["VELANTRA_REMOTE_FRAMES"]
LOG = os.environ["VELANTRA_REMOTE_LOG"]
SHOTS = os.environ.get("VELANTRA_REMOTE_SCREENSHOTS", "")

PHONE = (390, 844)
TABLET = (820, 1180)
TABLET_LANDSCAPE = (1180, 820)

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def wait_for(predicate, seconds=5.0, step=0.05):
    end = time.monotonic() + seconds
    while True:
        value = predicate()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


def frame():
    """The slots of the last frame the interface got (slot 0 the start code),
    or None while it is being written: the wire format is FF F0, the slots
    with FF sent as FF F7, then FF F1."""
    try:
        with open(FRAMES, "rb") as f:
            data = f.read()
    except OSError:
        return None
    if data[:2] != b"\xff\xf0":
        return None
    slots, i = [], 2
    while i + 1 < len(data):
        if data[i] == 0xFF:
            if data[i + 1] == 0xF7:
                slots.append(0xFF)
                i += 2
                continue
            return slots if data[i + 1] == 0xF1 and len(slots) > 32 else None
        slots.append(data[i])
        i += 1
    return None


def slot(n):
    f = frame()
    return None if f is None else f[n]


def log_text():
    with open(LOG, encoding="utf-8", errors="replace") as f:
        return f.read()


def browser(size):
    options = webdriver.ChromeOptions()
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--user-data-dir=" + tempfile.mkdtemp(prefix="velantra-chromium-")):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    resize(driver, size)
    return driver


def resize(driver, size):
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": True})


def js(driver, script, *args):
    return driver.execute_script(script, *args)


def connected(driver):
    return js(driver, "return document.getElementById('scene').textContent").endswith("/ 2")


def unlock(driver, pin):
    field = driver.find_element(By.ID, "pin")
    field.clear()
    field.send_keys(pin)
    driver.find_element(By.ID, "unlock").click()


def controlling(driver):
    return not js(driver, "return document.getElementById('play').disabled")


def press(driver, element_id):
    driver.find_element(By.ID, element_id).click()


def fader(driver, row):
    return driver.find_elements(By.CSS_SELECTOR, "#faders .fader")[row - 1]


def fader_value(driver, row):
    return int(fader(driver, row).get_attribute("aria-valuenow"))


def output_shown(driver, row):
    return js(driver, "return document.querySelectorAll('#faders .out')[arguments[0]].textContent", row - 1)


def screenshot(driver, size, name):
    """The page at this size: the first screen, and the whole page."""
    if not SHOTS:
        return
    os.makedirs(SHOTS, exist_ok=True)
    resize(driver, size)
    time.sleep(0.3)
    driver.save_screenshot(os.path.join(SHOTS, f"remote-{name}-{size[0]}x{size[1]}.png"))
    height = js(driver, "return document.documentElement.scrollHeight")
    resize(driver, (size[0], height))
    time.sleep(0.3)
    driver.save_screenshot(os.path.join(SHOTS, f"remote-{name}-{size[0]}x{size[1]}-whole.png"))
    resize(driver, size)


LAYOUT = """
const small = [];
for (const el of document.querySelectorAll('button, input, [role=slider]')) {
  const r = el.getBoundingClientRect();
  if (r.width === 0 && r.height === 0) continue;  // hidden
  if (r.width < 44 || r.height < 44) small.push((el.id || el.className || el.tagName) + ' ' + r.width + 'x' + r.height);
}
return {scroll: document.documentElement.scrollWidth, width: document.documentElement.clientWidth, small};
"""


def check_layout(driver, size, name):
    resize(driver, size)
    time.sleep(0.3)
    layout = js(driver, LAYOUT)
    check(layout["scroll"] <= layout["width"],
          f"{name} {size[0]}x{size[1]}: no horizontal scrolling ({layout['scroll']} <= {layout['width']})")
    check(not layout["small"], f"{name} {size[0]}x{size[1]}: every control at least 44x44 CSS px {layout['small']}")


# A WebSocket opened by the page's script: how it ended.
SOCKET = """
const [url, pin, extra, done] = [arguments[0], arguments[1], arguments[2], arguments[arguments.length - 1]];
const s = new WebSocket(url);
const heard = [];
let opened = false;
s.onopen = () => {
  opened = true;
  if (pin) s.send(JSON.stringify({do: 'pin', pin}));
  if (extra) setTimeout(() => s.send(extra), 300);
};
s.onmessage = (e) => heard.push(JSON.parse(e.data).t);
s.onclose = (e) => done({opened, code: e.code, reason: e.reason, heard});
setTimeout(() => done({opened, code: -1, reason: 'still open', heard}), 4000);
"""


class ElsewherePage(http.server.BaseHTTPRequestHandler):
    """A page of another origin (this test's own server on another port)."""

    def do_GET(self):
        body = b"<!doctype html><title>elsewhere</title>"
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def main():
    ws_url = URL.replace("http://", "ws://") + "ws"
    elsewhere = http.server.ThreadingHTTPServer(("127.0.0.1", 0), ElsewherePage)
    threading.Thread(target=elsewhere.serve_forever, daemon=True).start()
    elsewhere_url = f"http://127.0.0.1:{elsewhere.server_address[1]}/"
    phone = browser(PHONE)
    tablet = None
    try:
        phone.set_script_timeout(10)
        phone.get(URL)
        check(wait_for(lambda: connected(phone)), "the page shows the show's scenes (\"n / 2\")")
        check(not controlling(phone), "without the PIN the page is view only")
        check("View only" in js(phone, "return document.getElementById('note').textContent"), "and says so")
        check_layout(phone, PHONE, "phone")
        screenshot(phone, PHONE, "phone-view-only")

        unlock(phone, PIN)
        check(wait_for(lambda: controlling(phone)), "the right PIN gives control")

        press(phone, "stop")
        check(wait_for(lambda: js(phone, "return document.getElementById('play').getAttribute('aria-pressed')")
                       == "false"), "Stop: the page shows the show stopped")
        time.sleep(0.3)
        still = set()
        for _ in range(10):
            still.add(slot(1))
            time.sleep(0.05)
        check(len(still - {None}) == 1, f"stopped, slot 1 at the interface holds one level ({still})")

        press(phone, "play")
        seen = set()
        wait_for(lambda: seen.add(slot(1)) or {0, 255} <= seen, 3)
        check({0, 255} <= seen, f"Play: slot 1 at the interface steps 0 and 255 with the scenes ({seen - {None}})")
        press(phone, "stop")
        check(wait_for(lambda: js(phone, "return document.getElementById('play').getAttribute('aria-pressed')")
                       == "false"), "Stop again")

        element = fader(phone, 2)
        width = element.size["width"]
        ActionChains(phone).click_and_hold(element).move_by_offset(10, 0).move_by_offset(width // 2, 0) \
            .release().perform()
        value = fader_value(phone, 2)
        check(60 <= value <= 200, f"dragging fader 2 half its width moves it to about half ({value})")
        check(wait_for(lambda: slot(2) == value), f"the interface's slot 2 goes to {value} (it is {slot(2)})")
        check(wait_for(lambda: output_shown(phone, 2) == str(value)), "the page shows channel 2's output level")
        screenshot(phone, PHONE, "phone")

        tablet = browser(TABLET)
        tablet.set_script_timeout(10)
        tablet.get(URL)
        check(wait_for(lambda: connected(tablet)), "a second page opens")
        check(wait_for(lambda: fader_value(tablet, 2) == value), "the second page shows fader 2 where the first put it")
        press(phone, "blackout")
        check(wait_for(lambda: "lit" in tablet.find_element(By.ID, "blackout").get_attribute("class")),
              "B.O. on the first page lights B.O. on the second")
        check(wait_for(lambda: slot(2) == 0), "B.O.: the interface's slot 2 is dark")
        press(phone, "on")
        check(wait_for(lambda: slot(2) == value), "On: slot 2 is back")

        unlock(tablet, "000000" if PIN != "000000" else "111111")
        check(wait_for(lambda: js(tablet, "return document.getElementById('note').textContent") == "wrong PIN"),
              "a wrong PIN is refused and the page says so")
        check(not controlling(tablet), "and gives no control")
        check(wait_for(lambda: "неверный PIN" in log_text() or "wrong PIN" in log_text()),
              "the player logs the wrong PIN")

        for size, name in ((TABLET, "tablet"), (TABLET_LANDSCAPE, "tablet")):
            check_layout(tablet, size, name)
        unlock(tablet, PIN)
        check(wait_for(lambda: controlling(tablet)), "the right PIN then gives the tablet control")
        screenshot(tablet, TABLET, "tablet")
        screenshot(tablet, TABLET_LANDSCAPE, "tablet")

        # A page of another origin that knows the address and the PIN.
        tablet.get(elsewhere_url)
        ended = tablet.execute_async_script(SOCKET, ws_url, PIN, '{"do":"play"}')
        check(not ended["opened"] and not ended["heard"] and ended["code"] == 1006,
              f"a page from {elsewhere_url} cannot open the socket of {URL} ({ended})")
        check(wait_for(lambda: elsewhere_url.rstrip("/") in log_text()), "the player logs the refused origin")

        ended = phone.execute_async_script(SOCKET, ws_url, PIN, '{"do":"play","x":"' + "x" * 5000 + '"}')
        check(ended["opened"] and ended["code"] == 1009,
              f"a message over 4 KiB closes its socket with code 1009 ({ended})")
        check(wait_for(lambda: "4096" in log_text()), "the player logs the oversized message")
        check(js(phone, "return document.getElementById('play').getAttribute('aria-pressed')") == "false",
              "and the show did not start")
        check(controlling(phone), "the operator's own page goes on")

        press(phone, "lock")
        check(wait_for(lambda: not controlling(phone) and js(
            phone, "return document.getElementById('link').className") == "dot up"),
            "Lock: the page is view only again, still connected")
        press(phone, "play")
        time.sleep(0.5)
        check(js(phone, "return document.getElementById('play').getAttribute('aria-pressed')") == "false",
              "and its Play does nothing")
    finally:
        elsewhere.shutdown()
        phone.quit()
        if tablet is not None:
            tablet.quit()
    if failures:
        print(f"remote browser test FAILED: {len(failures)} check(s)")
        return 1
    print("remote browser test passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
