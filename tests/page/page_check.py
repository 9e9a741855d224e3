#!/usr/bin/env python3
"""The report page KAVREL.html of three analyses (a regression polynomial with an uncertainty
file, the wave-resistance approach with a ship file, a test whose runs give no (1+k)): well-formed
HTML with every element closed in order, nothing loaded from elsewhere, its numbers those of the
CSV files, its SHA-256 those of the inputs, the same bytes on a second run; then, when Debian's
chromium is installed, a screenshot and a PDF print whose text holds the test's name, (1+k) and
the last run's Pe.

Usage: page_check.py KAVREL SOURCE_DIR [KEEP_DIR]  (KEEP_DIR keeps the pages, pictures and PDFs)
"""
import csv
import hashlib
import html.parser
import os
import re
import shutil
import subprocess
import sys
import tempfile
from decimal import ROUND_HALF_UP, Decimal

KAVREL, SOURCE = sys.argv[1], sys.argv[2]
KEEP = sys.argv[3] if len(sys.argv) > 3 else None
EXAMPLES = os.path.join(SOURCE, "examples")
FAST = "fast runs\n\n\n\n\n\n\n\nRtm Vm\n3 2.0\n4 2.3\n5 2.6\n6 2.9\n7.5 3.2\n9 3.5\n0 0\n\n\n4 5\nT\n15\n"
UNC = "resistance = 0.005\nspeed_rel = 0.1\nwetted_surface = 0.2\ncoverage = 2\n"
CASES = {
    # name: (data file text, ship file, uncertainty file, answers)
    "polynomial": (None, False, UNC, open(os.path.join(EXAMPLES, "KAVREL_ANSWERS.txt")).read()),
    "wave_ship": (None, True, None, "N\n2\n0.1\nY\n0.3\nY\n0.5\nY\n0.8\nY\nY\n"),
    "no_form_factor": (FAST, False, None, "N\n1\n1\n0\n3\nY\nY\n"),
}
VOID = {"meta", "br", "hr", "img", "input", "link", "wbr", "col", "area", "base", "source"}
failures = []


def fail(case, text):
    failures.append(f"{case}: {text}")


class StrictParser(html.parser.HTMLParser):
    """Every element closed, in order; void and self-closed elements need no end tag."""

    def __init__(self, case):
        super().__init__(convert_charrefs=True)
        self.case, self.stack, self.elements, self.text = case, [], [], []

    def handle_starttag(self, tag, attrs):
        self.elements.append((tag, dict(attrs)))
        if tag not in VOID:
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        self.elements.append((tag, dict(attrs)))

    def handle_endtag(self, tag):
        if tag in VOID:
            fail(self.case, f"end tag of the void element <{tag}>")
        elif not self.stack or self.stack[-1] != tag:
            fail(self.case, f"</{tag}> closes <{self.stack[-1] if self.stack else 'nothing'}>")
        else:
            self.stack.pop()

    def handle_data(self, data):
        self.text.append(data)


class Cells(html.parser.HTMLParser):
    """The tables by id: head cells' data-csv names and each row's cells as (text, data value)."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tables, self.table, self.cell, self.row = {}, None, None, None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "table":
            self.table = self.tables.setdefault(a.get("id"), {"heads": [], "rows": []})
        elif tag == "th" and self.table is not None:
            self.table["heads"].append(a.get("data-csv"))
        elif tag == "tr" and self.table is not None:
            self.row = []
        elif tag == "td" and self.row is not None:
            self.cell = ["", None]
        elif tag == "data" and self.cell is not None:
            self.cell[1] = a["value"]

    def handle_endtag(self, tag):
        if tag == "td" and self.cell is not None:
            self.row.append(tuple(self.cell))
            self.cell = None
        elif tag == "tr" and self.row:
            self.table["rows"].append(self.row)
            self.row = None
        elif tag == "table":
            self.table = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell[0] += data


def check_table(case, table, rows, scales):
    """Each cell whose head names a CSV column: its data value is the CSV's text, its text that
    value times the column's scale, rounded half away from zero."""
    heads = table["heads"]
    if len(table["rows"]) != len(rows):
        fail(case, f"{len(table['rows'])} table rows for {len(rows)} CSV rows")
    for row, csv_row in zip(table["rows"], rows):
        for head, (text, value) in zip(heads, row):
            if head is None:
                continue
            if value != csv_row[head]:
                fail(case, f"{head}: page {value} against CSV {csv_row[head]}")
                continue
            decimals = len(text.split(".")[1]) if "." in text else 0
            want = (Decimal(csv_row[head]) * Decimal(scales.get(head, 1))).quantize(
                Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)
            if Decimal(text) != want:
                fail(case, f"{head}: shows {text} for {csv_row[head]} (want {want})")


def run(folder, case):
    data, ship, unc, answers = CASES[case]
    os.makedirs(folder)
    if data is None:
        shutil.copy(os.path.join(EXAMPLES, "KAVREL_BAS.DAT"), folder)
    else:
        open(os.path.join(folder, "KAVREL_BAS.DAT"), "w").write(data)
    if ship:
        shutil.copy(os.path.join(EXAMPLES, "KAVREL_SHIP.DAT"), folder)
    if unc:
        open(os.path.join(folder, "KAVREL_UNC.DAT"), "w").write(unc)
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    done = subprocess.run([KAVREL, "--terminal", folder], input=answers.encode(), env=env,
                          capture_output=True)
    if done.returncode != 0:
        fail(case, f"kavrel ended with {done.returncode}: {done.stderr.decode()}")
    return open(os.path.join(folder, "KAVREL.html"), "rb").read()


def check_page(case, folder, page):
    text = page.decode("utf-8")
    name = open(os.path.join(folder, "KAVREL_BAS.DAT"), encoding="utf-8").readline().strip()
    if not text.startswith("<!DOCTYPE html>\n"):
        fail(case, "no HTML5 doctype")
    parser = StrictParser(case)
    parser.feed(text)
    parser.close()
    if parser.stack:
        fail(case, f"unclosed elements: {parser.stack}")
    tags = [tag for tag, _ in parser.elements]
    if tags[:1] != ["html"] or parser.elements[0][1].get("lang") != "en":
        fail(case, "the page does not open with <html lang=...>")
    head = text.split("</head>")[0]
    if head.count("<title>") != 1 or name not in head.split("<title>")[1].split("</title>")[0]:
        fail(case, f"the title does not name the test {name!r}")
    # Nothing loaded from elsewhere: no scheme, no source, no style sheet, no script.
    for pattern in (r"https?:", r"\bsrc\s*=", r"<link\b", r"<script\b", r"@import", r"url\("):
        if re.search(pattern, text, re.IGNORECASE):
            fail(case, f"an external resource: {pattern}")
    for tag, attrs in parser.elements:
        href = attrs.get("href")
        if href is not None and ("/" in href or not os.path.exists(os.path.join(folder, href))):
            fail(case, f"the link {href} is not a file of the folder")
    # The runs against KAVREL.csv, the prediction against KAVREL_SHIP.csv.
    cells = Cells()
    cells.feed(text)
    runs = list(csv.DictReader(open(os.path.join(folder, "KAVREL.csv"))))
    check_table(case, cells.tables["run-table"], runs,
                {"Ctm": 1000, "CtmS": 1000, "Cfm": 1000, "Rnm": "1e-7"})
    ship_csv = os.path.join(folder, "KAVREL_SHIP.csv")
    if os.path.exists(ship_csv):
        ship = list(csv.DictReader(open(ship_csv)))
        check_table(case, cells.tables["ship-table"], ship,
                    {h: 1000 for h in ("Cfs", "dCf", "CA", "Caas", "Cr", "Cts")} | {"Rns": "1e-9"})
    # The inputs identified by their SHA-256.
    for input_name in ("KAVREL_BAS.DAT", "KAVREL_SHIP.DAT", "KAVREL_UNC.DAT"):
        path = os.path.join(folder, input_name)
        if os.path.exists(path):
            digest = hashlib.sha256(open(path, "rb").read()).hexdigest()
            if digest not in text:
                fail(case, f"no SHA-256 {digest} of {input_name}")
    for section in ("test", "analysis", "runs", "plots", "notes", "files"):
        if f'<section id="{section}">' not in text:
            fail(case, f"no section {section}")
    return name


def form_factor_text(folder):
    """(1+k) of the smoothed runs as the terminal says it, or None."""
    for line in open(os.path.join(folder, "stdout")).read().splitlines():
        m = re.match(r"Form factor \(1\+k\), smoothed data: ([0-9.]+)$", line)
        if m:
            return m.group(1)
    return None


def check_in_chromium(case, folder, name, work):
    chromium = shutil.which("chromium")
    profile = tempfile.mkdtemp(dir=work)
    base = [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
            "--no-first-run", "--disable-background-networking", "--disable-component-update",
            "--disable-sync", f"--user-data-dir={profile}", "--host-resolver-rules=MAP * ~NOTFOUND",
            "--enable-logging=stderr", "--v=0"]
    url = "file://" + os.path.join(folder, "KAVREL.html")
    png, pdf = os.path.join(folder, "screen.png"), os.path.join(folder, "page.pdf")
    for extra in (["--window-size=1280,1024", f"--screenshot={png}"],
                  ["--no-pdf-header-footer", f"--print-to-pdf={pdf}"]):
        done = subprocess.run(base + extra + [url], capture_output=True, timeout=120)
        log = done.stderr.decode(errors="replace")
        if "CONSOLE" in log or "net::ERR" in log:
            fail(case, "chromium reports a console message or a failed request:\n" + log)
    for path in (png, pdf):
        if not os.path.exists(path) or os.path.getsize(path) == 0:
            fail(case, f"chromium wrote no {os.path.basename(path)}")
            return
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    pages = int(re.search(r"Pages:\s+(\d+)", info).group(1))
    if pages < 2:
        fail(case, f"the PDF has {pages} page(s)")
    printed = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                             text=True).stdout
    wanted = [name]
    k = form_factor_text(folder)
    if k:
        wanted.append(k)
    ship_csv = os.path.join(folder, "KAVREL_SHIP.csv")
    if os.path.exists(ship_csv):
        last = list(csv.DictReader(open(ship_csv)))[-1]["Pe_kW"]
        wanted.append(str(Decimal(last).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP)))
    for text in wanted:
        if text not in printed:
            fail(case, f"the PDF's text lacks {text!r}")
    if KEEP:
        subprocess.run(["pdftoppm", "-png", "-r", "60", pdf, os.path.join(folder, "pdf")])


def main():
    work = tempfile.mkdtemp(prefix="kavrel-page-")
    chromium = shutil.which("chromium") and shutil.which("pdftotext")
    try:
        for case in CASES:
            folder = os.path.join(work, case)
            page = run(folder, case)
            with open(os.path.join(folder, "stdout"), "wb") as out:
                out.write(subprocess.run([KAVREL, "--terminal", folder],
                                         input=CASES[case][3].encode(),
                                         capture_output=True).stdout)
            if open(os.path.join(folder, "KAVREL.html"), "rb").read() != page:
                fail(case, "a second run with the same inputs writes other bytes")
            name = check_page(case, folder, page)
            if chromium:
                check_in_chromium(case, folder, name, work)
        if not chromium:
            print("page_check: SKIPPED the Chromium part: chromium or pdftotext is not installed")
        if KEEP:
            shutil.copytree(work, KEEP, dirs_exist_ok=True)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for line in failures:
        print("FAIL", line)
    print(f"page_check: {len(CASES)} pages, {len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
