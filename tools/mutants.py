#!/usr/bin/env python3
"""Single-point mutants on the program's lines changed since a commit.

Each mutant (a comparison swapped, one operand of && or || dropped, an integer
constant or mask changed, one call statement dropped) is written into the tree,
built incrementally in its own folder and run against the tests that run its
line (found once per commit by a coverage build, each test alone), fastest
first; the file is restored before the next one, on failure and on
SIGINT/SIGTERM alike. Usage: tools/mutants.py --base COMMIT [options].
"""
import argparse, glob, hashlib, json, os, queue, random, re, signal, subprocess, sys, threading, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CODE_DIRS = ["app", "scene", "sprites", "assets", "common", "platform"]
SOURCE_EXTS = (".cpp", ".h")
KEYWORDS = {"if", "for", "while", "switch", "return", "sizeof", "delete", "throw", "case", "do", "else"}
UNIT_GL = "unit|gl"
# The stand-in and the program's window code run whole only in the built program.
E2E_DIRS = ("platform/", "app/")
STOP_SIGNALS = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}
COVERAGE_FLAGS = ["-DCMAKE_BUILD_TYPE=Debug"] + [f"-DCMAKE_{kind}_FLAGS=--coverage" for kind in
                                                  ("C", "CXX", "SHARED_LINKER", "MODULE_LINKER")]
# A run that ends in _exit (the display lost) or by a signal it raises writes no
# counts of its own; in the coverage build both write them first. A dump is
# done once per process unless reset, and a raised signal may be handled and
# the run go on, so raise starts the counts afresh after writing them.
DUMP_FIRST = """void __gcov_dump(void); void __gcov_reset(void); void __real__exit(int); int __real_raise(int);
void __wrap__exit(int code) { __gcov_dump(); __real__exit(code); }
int __wrap_raise(int number) { __gcov_dump(); __gcov_reset(); return __real_raise(number); }
"""
# What the end-to-end scripts run: the program and the message-box helper built on the stand-in.
E2E_TARGETS = ["orchardia", "show_message_box"]


def git(*args):
    return subprocess.run(["git", *args], cwd=ROOT, check=True, capture_output=True, text=True).stdout


def changed_lines(base, only):
    """{path: set(line numbers)} of lines added or changed since base."""
    paths = [p for p in only if p.split("/")[0] in CODE_DIRS] if only else CODE_DIRS
    if not paths:
        sys.exit(f"mutants: --only names none of {', '.join(CODE_DIRS)}")
    diff = git("diff", "-U0", "--no-color", base, "--", *paths)
    lines, path = {}, None
    for row in diff.splitlines():
        if row.startswith("+++ "):
            path = row[6:] if row.startswith("+++ b/") else None
        elif row.startswith("@@") and path and path.endswith(SOURCE_EXTS):
            start, _, count = re.match(r"@@ -\S+ \+(\d+)(,(\d+))?", row).groups()
            count = 1 if count is None else int(count)
            lines.setdefault(path, set()).update(range(int(start), int(start) + count))
    return lines


def masked(text):
    """The line with string and char literals, comments and float literals blanked."""
    out, i, quote = list(text), 0, None
    while i < len(text):
        c = text[i]
        if quote:
            if c == "\\":
                out[i] = " "
                if i + 1 < len(text):
                    out[i + 1] = " "
                i += 2
                continue
            if c == quote:
                quote = None
            else:
                out[i] = " "
        elif c in "\"'":
            quote = c
        elif text.startswith("//", i):
            out[i:] = " " * (len(text) - i)
            break
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = len(text) if end < 0 else end + 2
            out[i:end] = " " * (end - i)
            i = end
            continue
        i += 1
    line = "".join(out)
    floats = r"(?<![\w.])(\d+\.\d*|\.\d+|\d+(?=[eE][-+]?\d))([eE][-+]?\d+)?[fF]?"
    return re.sub(floats, lambda m: " " * len(m.group(0)), line)


def operand_end(line, pos, step):
    """Where the operand of a logical operator ends, scanning from pos by step (+1 or -1)."""
    opens, closes = ("([", ")]") if step > 0 else (")]", "([")
    depth, i = 0, pos
    while 0 <= i < len(line):
        c = line[i]
        if c in opens:
            depth += 1
        elif c in closes:
            if depth == 0:
                return i
            depth -= 1
        elif depth == 0:
            pair = line[i:i + 2] if step > 0 else line[max(0, i - 1):i + 1]
            if pair in ("&&", "||") or c in ",;?{}" or (c == ":" and ":" not in line[i - 1:i + 2:2]):
                return i
            if c == "=" and line[i - 1:i] not in "=!<>" and line[i + 1:i + 2] != "=":
                return i
            if step < 0 and re.search(r"\breturn\s$", line[:i + 1]):
                return i
        i += step
    return i


def mutants_of(path, number, text):
    """Every mutant of one line: (path, number, new line, description)."""
    code = masked(text)
    stripped = code.strip()
    if not stripped or stripped.startswith(("#include", "#pragma", "/*", "*")) or "static_assert" in code:
        return []
    if stripped.startswith("{") and re.fullmatch(r"[\s{},'0-9a-fA-FxXuU]*", stripped):
        return []  # a row of a constant table: data, not logic
    found = []
    for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", code):
        swap = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}[m.group(1)]
        found.append((m.start(), m.end(), swap, f"{m.group(1)} -> {swap}"))
    for m in re.finditer(r"\s(&&|\|\|)\s", code):
        left = operand_end(code, m.start() - 1, -1) + 1
        right = operand_end(code, m.end(), +1)
        lhs, rhs = code[left:m.start()].strip(), code[m.end():right].strip()
        if lhs and rhs:
            found.append((left, m.end(), "", f"drop `{text[left:m.start()].strip()} {m.group(1)}`"))
            found.append((m.start(), right, "", f"drop `{m.group(1)} {text[m.end():right].strip()}`"))
    if not stripped.startswith("#") or stripped.startswith("#define"):
        for m in re.finditer(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.])", code):
            digits = m.group(1)
            hexadecimal = digits[1:2] in ("x", "X")
            value = int(digits, 16 if hexadecimal else 8 if digits[0] == "0" and len(digits) > 1 else 10)
            if digits[0] == "0" and len(digits) > 1:  # a mask: its highest bit cleared
                new = value & ~(1 << (value.bit_length() - 1)) if value else 1
                new = hex(new) if hexadecimal else "0" + oct(new)[2:]
            else:
                new = str(1 if value == 0 else value + 1)
            found.append((m.start(1), m.end(1), new, f"{digits} -> {new}"))
    call = re.match(r"^(\s*)([\w:.>\-\[\]]+)\s*\(.*\)\s*;\s*$", code)
    balanced = code.count("(") == code.count(")")  # not the tail of a call begun above
    if call and balanced and path.endswith(".cpp") and call.group(2) not in KEYWORDS:
        found.append((len(call.group(1)), len(text.rstrip("\n")), ";", f"drop `{text.strip()}`"))
    return [(path, number, text[:a] + new + text[b:], what) for a, b, new, what in found]


class Interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise Interrupted(signal.Signals(signum).name)


LIVE, STOPPING = set(), threading.Event()
E2E_LOCKS = {}  # an e2e script never runs in two workers at once: two run as a fixed user  # the running commands' process groups; set on an interrupt


def run(command, timeout, log):
    """The command's exit status; its whole process group ends with it (timeout or interrupt)."""
    with open(log, "a") as out:
        out.write(f"\n$ {' '.join(command)}\n")
        out.flush()
        if STOPPING.is_set():
            return 130
        child = subprocess.Popen(command, cwd=ROOT, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        LIVE.add(child.pid)
        try:
            return child.wait(timeout)
        except subprocess.TimeoutExpired:
            os.killpg(child.pid, signal.SIGKILL)
            child.wait()
            return 124
        except BaseException:
            os.killpg(child.pid, signal.SIGTERM)
            child.wait()
            raise
        finally:
            LIVE.discard(child.pid)


def first_failure(log_text):
    failed = re.findall(r"Test\s+#\d+: (\S+) \.+\*+(?:Failed|Timeout|Exception)|\d+ - (\S+) \(", log_text)
    return next((a or b for a, b in failed), "a test")


class Test:
    def __init__(self, number, name, command, labels):
        self.number, self.name, self.labels = number, name, labels
        self.target = E2E_TARGETS if "e2e" in labels else [os.path.basename(command[0])]
        self.seconds = 0.0


def listed_tests(build):
    """ctest's unit, GL and e2e tests of a build folder, by name."""
    listing = json.loads(subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"], cwd=ROOT,
                                        check=True, capture_output=True, text=True).stdout)
    tests = {}
    for number, entry in enumerate(listing["tests"], 1):
        labels = next((p["value"] for p in entry.get("properties", []) if p["name"] == "LABELS"), [])
        if set(labels) & {"unit", "gl", "e2e"}:
            tests[entry["name"]] = Test(number, entry["name"], entry.get("command", [""]), labels)
    return tests


def lines_run(folder):
    """{path: {line: count}} of the program's lines in the coverage build's .gcda files."""
    found = {}
    data = [f for f in glob.glob(os.path.join(folder, "**", "*.gcda"), recursive=True) if os.path.getsize(f)]
    report = subprocess.run(["gcov", "--json-format", "--stdout", *data], cwd=folder,
                            capture_output=True, text=True).stdout if data else ""
    decoder, at = json.JSONDecoder(), 0
    while at < len(report):
        if report[at].isspace():
            at += 1
            continue
        unit, at = decoder.raw_decode(report, at)
        for source in unit.get("files", []):
            path = os.path.relpath(os.path.join(unit.get("current_working_directory", folder), source["file"]), ROOT)
            if path.split("/")[0] in CODE_DIRS:
                counts = found.setdefault(path, {})
                for line in source["lines"]:
                    counts[line["line_number"]] = counts.get(line["line_number"], 0) + line["count"]
    return found


def coverage(args, log):
    """{path: {line: [names of the tests that run it]}} and each test's seconds, made once for each
    state of the program and its tests."""
    folder = os.path.join(ROOT, args.coverage_build)
    trees = git("rev-parse", *[f"HEAD:{part}" for part in CODE_DIRS + ["tests", "cmake", "CMakeLists.txt"]])
    cache = os.path.join(folder, f"lines-{hashlib.sha1((trees + DUMP_FIRST).encode()).hexdigest()[:12]}.json")
    if os.path.exists(cache):
        with open(cache) as saved:
            return json.load(saved)
    print(f"mutants: running each test alone in {os.path.relpath(folder, ROOT)} to see which lines it runs", flush=True)
    os.makedirs(folder, exist_ok=True)
    shim = os.path.join(folder, "dump_first.o")
    subprocess.run(["cc", "-c", "-x", "c", "-", "-o", shim], input=DUMP_FIRST, text=True, check=True)
    exe_flags = f"-DCMAKE_EXE_LINKER_FLAGS=--coverage -Wl,--wrap=_exit,--wrap=raise {shim}"
    if run(["cmake", "-S", ".", "-B", folder, *COVERAGE_FLAGS, exe_flags], 600, log) or \
            run(["cmake", "--build", folder, "-j", str(args.jobs)], 7200, log):
        sys.exit(f"mutants: the coverage build failed; see {log}")
    lines, seconds = {}, {}
    for test in listed_tests(folder).values():
        for notes in glob.glob(os.path.join(folder, "**", "*.gcno"), recursive=True):
            # Empty counts that the daemon's tests, which run the program as another user, can fill.
            os.close(os.open(notes[:-5] + ".gcda", os.O_WRONLY | os.O_CREAT | os.O_TRUNC))
            os.chmod(notes[:-5] + ".gcda", 0o666)
        started = time.time()
        run(["tools/with-xvfb.sh", "ctest", "--test-dir", folder, "-I", f"0,0,0,{test.number}", "--timeout", "300"], 900, log)
        seconds[test.name] = time.time() - started
        for path, counts in lines_run(folder).items():
            for number, count in counts.items():
                runners = lines.setdefault(path, {}).setdefault(str(number), [])
                if count:
                    runners.append(test.name)
    with open(cache, "w") as saved:
        json.dump({"lines": lines, "seconds": seconds}, saved)
    return {"lines": lines, "seconds": seconds}


def chosen(path, number, cover, tests):
    """The tests to run against a mutant of path:number, fastest first, and how they were chosen."""
    in_file = cover["lines"].get(path)
    if in_file is None:
        wanted = {"unit", "gl"} | ({"e2e"} if path.startswith(E2E_DIRS) else set())
        names, how = [t.name for t in tests.values() if wanted & set(t.labels)], "no coverage data; by folder"
    elif in_file.get(str(number)):
        names, how = in_file[str(number)], ""
    else:
        names = {name for runners in in_file.values() for name in runners}
        how = "no test runs this line; the file's tests" if str(number) in in_file else "the file's tests"
    picked = sorted((tests[n] for n in set(names) if n in tests), key=lambda t: cover["seconds"].get(t.name, 0))
    return picked, how


class Worker:
    """A checkout of HEAD of its own under the mutants' folder, built there: mutants are written
    only into it, never into the tree you work in."""

    def __init__(self, args, index):
        self.tree = os.path.join(ROOT, args.build, f"tree-{index}")
        self.build, self.log = os.path.join(self.tree, "build"), os.path.join(ROOT, args.build, f"mutants-{index}.log")
        self.jobs = max(1, args.jobs // args.workers)
        open(self.log, "w").close()
        if not os.path.exists(os.path.join(self.tree, ".git")):
            git("worktree", "prune")
            git("worktree", "add", "--detach", "-f", self.tree, "HEAD")
        subprocess.run(["git", "-C", self.tree, "checkout", "-q", "-f", "--detach", git("rev-parse", "HEAD").strip()],
                       check=True)
        if run(["cmake", "-S", self.tree, "-B", self.build], 600, self.log) or \
                run(["cmake", "--build", self.build, "-j", str(args.jobs)], 7200, self.log):
            sys.exit(f"mutants: the unmutated tree does not build; see {self.log}")
        self.tests = listed_tests(self.build)

    def verdict(self, path, number, line, cover):
        picked, how = chosen(path, number, cover, self.tests)
        full = os.path.join(self.tree, path)
        with open(full) as source:
            original = source.read()
        lines = original.splitlines(keepends=True)
        lines[number - 1] = line
        targets = sorted({target for t in picked for target in t.target})
        try:
            with open(full, "w") as source:
                source.write("".join(lines))
            if run(["cmake", "--build", self.build, "-j", str(self.jobs), "--target", *targets], 1800, self.log):
                return "killed by the compiler", picked
            killer = self.first_failing(picked)
            return (f"killed by {killer}" if killer else f"SURVIVED ({how or 'the tests that run it'})"), picked
        finally:
            with open(full, "w") as source:
                source.write(original)

    def first_failing(self, picked):
        """The name of the first test that fails against the built mutant, or None: unit and GL
        tests in one go, then the e2e scripts self.jobs at a time."""
        quick = [t for t in picked if "e2e" not in t.labels]
        slow = [t for t in picked if "e2e" in t.labels]
        batches = ([quick] if quick else []) + [slow[i:i + self.jobs] for i in range(0, len(slow), self.jobs)]
        for batch in batches:
            start = os.path.getsize(self.log)
            numbers = ",".join(str(t.number) for t in batch)
            ctest = ["tools/with-xvfb.sh", "ctest", "--test-dir", self.build, "-I", f"0,0,0,{numbers}",
                     "--stop-on-failure", "--output-on-failure", "-j", str(self.jobs), "--timeout", "180"]
            locks = [E2E_LOCKS.setdefault(t.name, threading.Lock()) for t in sorted(slow, key=lambda t: t.name)
                     if t in batch]
            for lock in locks:
                lock.acquire()
            try:
                status = run(ctest, 1800, self.log)
            finally:
                for lock in locks:
                    lock.release()
            if status != 0:
                with open(self.log) as text:
                    text.seek(start)
                    return first_failure(text.read())
        return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--base", required=True, help="mutate the lines changed since this commit")
    parser.add_argument("--only", action="append", default=[], help="restrict to this file or folder (repeatable)")
    parser.add_argument("--sample", type=int, help="run N mutants drawn at random, in random order")
    parser.add_argument("--seed", type=int, default=1, help="the sample's seed")
    parser.add_argument("--skip", type=int, default=0, help="leave out the first N of the order, run elsewhere")
    parser.add_argument("--minutes", type=float, default=60, help="start no mutant after this many minutes")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--workers", type=int, default=2, help="mutants built and tested at once")
    parser.add_argument("--build", default="build-mutants", help="the build folder of the mutants")
    parser.add_argument("--coverage-build", default="build-coverage", help="the build folder that finds who runs what")
    parser.add_argument("--list", action="store_true", help="print the mutants and stop")
    parser.add_argument("--resume", action="store_true", help="skip the mutants an earlier run saw killed")
    args = parser.parse_args()
    if git("status", "--porcelain", "--untracked-files=no").strip():
        sys.exit("mutants: the tree has uncommitted changes; commit or stash them first")
    mutants = []
    for path, numbers in sorted(changed_lines(args.base, args.only).items()):
        with open(os.path.join(ROOT, path)) as source:
            text = source.readlines()
        mutants += [m for n in sorted(numbers) if n <= len(text) for m in mutants_of(path, n, text[n - 1])]
    if args.sample is not None:
        mutants = random.Random(args.seed).sample(mutants, min(args.sample, len(mutants)))  # in random order: a run cut short is a fair sample
    mutants = mutants[args.skip:]
    if args.list:
        for path, number, _, what in mutants:
            print(f"{path}:{number}\t{what}")
        return
    os.makedirs(os.path.join(ROOT, args.build), exist_ok=True)
    log = os.path.join(ROOT, args.build, "mutants.log")
    open(log, "w").close()
    for number in STOP_SIGNALS:
        signal.signal(number, on_signal)
    # Killed mutants, one per row (file, mutated line, change), so that --resume runs only the rest.
    done_file = os.path.join(ROOT, args.build, "killed.tsv")
    done = set(open(done_file).read().splitlines()) if args.resume and os.path.exists(done_file) else set()
    results, todo = [], queue.Queue()
    try:
        cover = coverage(args, log)
        workers = [Worker(args, index) for index in range(args.workers)]
        deadline = time.time() + args.minutes * 60
        print(f"{len(mutants)} mutants; logs in {os.path.relpath(log, ROOT)[:-4]}-*.log", flush=True)
        for mutant in mutants:
            if "\t".join((mutant[0], mutant[2].strip(), mutant[3])) not in done:
                todo.put(mutant)

        def work(worker):
            while not STOPPING.is_set() and time.time() < deadline:
                try:
                    path, number, line, what = todo.get_nowait()
                except queue.Empty:
                    return
                verdict, picked = worker.verdict(path, number, line, cover)
                if STOPPING.is_set():
                    return
                if verdict.startswith("killed"):
                    with open(done_file, "a") as saved:
                        saved.write("\t".join((path, line.strip(), what)) + "\n")
                results.append((f"{path}:{number}", what, verdict))
                print(f"{path}:{number}\t{what}\t{verdict}\t{len(picked)} tests", flush=True)

        threads = [threading.Thread(target=work, args=(w,)) for w in workers]
        for thread in threads:
            thread.start()
        while any(thread.is_alive() for thread in threads):
            time.sleep(0.2)
    except Interrupted as signal_name:
        STOPPING.set()
        for group in list(LIVE):
            os.killpg(group, signal.SIGTERM)
        for thread in threading.enumerate()[1:]:
            thread.join()
        print(f"mutants: stopped by {signal_name}; no mutant is left in any tree", file=sys.stderr)
    killed = sum(1 for r in results if r[2].startswith("killed"))
    by_compiler = sum(1 for r in results if r[2] == "killed by the compiler")
    print(f"\n{len(results)} of {len(mutants)} mutants run: {killed} killed ({by_compiler} by the compiler), "
          f"{len(results) - killed} survived; score {100 * killed / max(1, len(results)):.0f}%"
          + (f"; {len(mutants) - len(results) - todo.qsize()} skipped as killed before" if args.resume else ""))
    for where, what, verdict in sorted(results):
        if verdict.startswith("SURVIVED"):
            print(f"  survived: {where}\t{what}\t{verdict[9:]}")


if __name__ == "__main__":
    main()
