"""Runs tools/reliability/mutation-check.sh: puts faults into a copy of the
committed tree one at a time and reports which the tests catch.

First the chosen faults (each once got through, or must never): every one
must be caught. Then a sample of the mutants that the operators of
mutation_operators.py make of every eligible line of the program's own logic.
Each mutant is built into the copy (only what changed is rebuilt) and meets
the cheapest tests first, stopping at the first that fails: the scenario
suite, the unit tests, the fault matrix, the random exploration, and last the
scenario suite built with the address, leak and undefined-behaviour
sanitizers (and, with --memcheck, under valgrind). A mutant that does not
compile counts for nothing. Survivors are listed with their place; those named in
equivalent-mutants.txt (beside this file) with the reason why nothing a
person, the camera or the registry could notice changes are counted apart.
Exit 1 when a chosen fault or an unexplained survivor got through.
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mutation_operators import mutants_of, numeric_constants_in  # noqa: E402

SCOPE = ["app", "config", "camera", "ui", "core", "lib/support"]
# A debug build's check alone: nothing of it is in the program that ships or in the Release copy tested here.
OUT_OF_SCOPE = {"camera/call_depth.h"}
TARGETS = ["zeltfw-sim", "zelt-unit-tests", "zelt-fault-matrix", "zelt-explore"]
EQUIVALENTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "equivalent-mutants.txt")

# name | file | text | replacement (texts may span lines)
CHOSEN = [
    ("a write into another camera", "config/wizard.cpp", "  if (!IsKeptDevice()) {", "  if (false) {"),
    ("a short reply taken as complete", "camera/protocol.cpp", "    if (moved < 1 + count) {", "    if (false) {"),
    ("a reply one byte short taken as complete", "camera/protocol.cpp", "    if (moved < 1 + count) {",
     "    if (moved < count) {"),
    ("a zero-byte transfer leaves the link open", "camera/protocol.cpp", "    Disconnect();\n    return false;",
     "    return false;"),
    ("a read of the data pipe after a request that moved nothing", "camera/protocol.cpp", "  if (moved != 0) {",
     "  if (true) {"),
    ("one transient enumeration error gives up the class", "camera/link.cpp",
     "if (win::GetLastError() == ERROR_NO_MORE_ITEMS) break;", "if (win::GetLastError() != ERROR_NO_MORE_ITEMS) break;"),
    ("a registration never removed", "camera/link.cpp", "    win::UnregisterDeviceNotification(NotificationHandle);",
     ""),
    ("the camera's new device path not kept at step 3", "config/wizard.cpp",
     "    return;\n  }\n  KeepDevicePath();\n  ShowCameraData();\n}", "    return;\n  }\n  ShowCameraData();\n}"),
    ("a permission never removed", "config/wizard.cpp", "  if (!oskel) RemoveDriverWritePermission(state_.IdentityCopy);",
     ""),
    ("an administrator box that does not close the window", "config/wizard.cpp", "    RequestClose();\n    ShowNotConnected();",
     "    ShowNotConnected();"),
    ("the wheel list over the count list", "config/wizard.cpp", "CRect(108, 125, P - 100, 0)", "CRect(108, 101, P - 100, 0)"),
    ("a saved place used off every monitor", "app/ravik_config.cpp",
     "  if (OnNoMonitor(position[0], position[1], rect.width, rect.height)) {", "  if (false) {"),
    ("settings that open only for reading not read", "lib/support/reg_scanner.cpp",
     "    if (win::RegOpenKeyExA(root, path, 0, KEY_READ, key_.receive()) != ERROR_SUCCESS) return false;",
     "    return false;"),
    ("a section that opens only for reading not read", "lib/support/reg_scanner.cpp",
     " &&\n      win::RegOpenKeyExA(key_.get(), sub, 0, KEY_READ, &opened) != ERROR_SUCCESS)", ")"),
    ("the section created volatile", "lib/support/reg_scanner.cpp",
     "return win::RegCreateKeyExA(key_.get(), sub, 0, nullptr, REG_OPTION_NON_VOLATILE,",
     "return win::RegCreateKeyExA(key_.get(), sub, 0, nullptr, REG_OPTION_NON_VOLATILE + 1,"),
]


def run(command, cwd, timeout):
    """(exit status, output); a time-out counts as a failure (status None)."""
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
        return done.returncode, done.stdout.decode("utf-8", "replace")
    except subprocess.TimeoutExpired:
        return None, "timed out after %d s" % timeout


class Copy:
    """The committed tree in a temporary folder, built in Release, and the
    scenario console also with the address, leak and undefined-behaviour
    sanitizers (built from the same sources when a mutant gets that far)."""

    def __init__(self, root, jobs):
        self.dir = tempfile.mkdtemp(prefix="zelt-mutants-")
        self.build = os.path.join(self.dir, "build")
        self.sanitized = os.path.join(self.dir, "build-sanitize")
        self.jobs = jobs
        archive = subprocess.run(["git", "-C", root, "archive", "HEAD"], stdout=subprocess.PIPE, check=True).stdout
        subprocess.run(["tar", "-x", "-C", self.dir], input=archive, check=True)
        for folder, options in ((self.build, ["-DCMAKE_BUILD_TYPE=Release"]),
                                (self.sanitized, ["-DCMAKE_BUILD_TYPE=Debug", "-DZELT_SANITIZE=ON"])):
            subprocess.run(["cmake", "-S", self.dir, "-B", folder] + options, stdout=subprocess.DEVNULL, check=True)
        self.originals = {}

    def path(self, relative):
        return os.path.join(self.dir, relative)

    def write(self, relative, text):
        full = self.path(relative)
        if relative not in self.originals:
            with open(full) as f:
                self.originals[relative] = f.read()
        with open(full, "w") as f:
            f.write(text)

    def restore(self, relative):
        if relative in self.originals:
            with open(self.path(relative), "w") as f:
                f.write(self.originals.pop(relative))  # newer than the mutant's objects: rebuilt next time

    def make(self, timeout=1800):
        status, output = run(["cmake", "--build", self.build, "-j", str(self.jobs), "--target"] + TARGETS, self.dir,
                             timeout)
        return status == 0, output

    def make_sanitized(self, timeout=1800):
        status, output = run(["cmake", "--build", self.sanitized, "-j", str(self.jobs), "--target", "zeltfw-sim"],
                             self.dir, timeout)
        return status == 0, output


class Stages:
    """The tests, cheapest first; each gives None when it holds, else what
    failed. A stage may need a build of its own first (the sanitizers')."""

    def __init__(self, copy, memcheck):
        b = copy.build
        scripts = sorted(
            os.path.join(dirpath, name)
            for dirpath, _, names in os.walk(copy.path("tests/scenarios")) for name in names if name.endswith(".zsc"))
        scripts.append(copy.path("tools/scripts/walkthrough.zsc"))
        self.dir = copy.dir
        suite = [os.path.join(b, "tools/zeltfw-sim")] + scripts
        self.stages = [
            ("scenario", suite, None),
            ("unit", [os.path.join(b, "tests/zelt-unit-tests"), "--gtest_brief=1"], None),
            ("fault matrix", [os.path.join(b, "tests/reliability/zelt-fault-matrix")], None),
            ("exploration", [os.path.join(b, "tests/reliability/zelt-explore"), "--seeds", "2000"], None),
            ("sanitizers", [os.path.join(copy.sanitized, "tools/zeltfw-sim")] + scripts, copy.make_sanitized),
        ]
        if memcheck:
            self.stages.append(("memcheck", ["valgrind", "--error-exitcode=99", "--leak-check=full",
                                             "--errors-for-leak-kinds=definite,indirect,possible", "-q"] + suite, None))
        self.timeouts = {}

    def calibrate(self):
        """Times each stage on the unchanged program, which must pass them all."""
        for name, command, build in self.stages:
            if build is not None and not build()[0]:
                sys.exit("mutation check: the unchanged copy does not build for its %s stage" % name)
            start = time.time()
            status, output = run(command, self.dir, 3600)
            if status != 0:
                sys.exit("mutation check: the unchanged program fails its %s stage:\n%s" % (name, output[-2000:]))
            self.timeouts[name] = max(60, int(10 * (time.time() - start)))

    def first_failure(self):
        for name, command, build in self.stages:
            if build is not None and not build()[0]:
                continue  # a mutant only this build refuses: the stage cannot judge it
            status, output = run(command, self.dir, self.timeouts[name])
            if status != 0:
                return name + ": " + self.what_failed(name, status, output)
        return None

    def what_failed(self, name, status, output):
        lines = output.splitlines()
        if status is None:
            return output
        for line in lines:
            if re.search(r"runtime error:|ERROR: \w+Sanitizer|^==\d+== (Invalid|Conditional|Use of|Mismatched|\d+ bytes)",
                         line):
                return line.strip()[:160]
        if name in ("scenario", "sanitizers", "memcheck"):
            for line in lines:
                match = re.match(r"(\S+\.zsc:\d+): ", line)
                if match:
                    return os.path.relpath(match.group(1), self.dir) + " " + line[match.end():][:120]
        if name == "unit":
            failed = [line.split("]", 1)[1].strip() for line in lines if line.startswith("[  FAILED  ]")]
            if failed:
                return failed[0]
        if status < 0:
            return "crashed (signal %d)" % -status
        return lines[-1][:160] if lines else "exit %d" % status


def eligible_files(root):
    files = []
    for folder in SCOPE:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            if name.endswith((".cpp", ".h")) and folder + "/" + name not in OUT_OF_SCOPE:
                files.append(folder + "/" + name)
    return files


def all_mutants(root):
    files = eligible_files(root)
    sources = [open(os.path.join(root, f)).read() for f in files]
    constants = numeric_constants_in(sources + [open(os.path.join(root, "platform/types.h")).read()])
    found = []
    for relative, text in zip(files, sources):
        found += mutants_of(relative, text.split("\n"), constants)
    return found


def load_equivalents():
    """Blocks parted by blank lines: the file; the line; what the mutant made
    of it; why that changes nothing anyone could notice (may go on)."""
    judged = {}
    with open(EQUIVALENTS) as f:
        text = "".join(line for line in f if not line.startswith("#"))
    for block in re.split(r"\n\s*\n", text):
        lines = [line.strip() for line in block.strip().split("\n")]
        if lines == [""]:
            continue
        if len(lines) < 4:
            sys.exit("mutation check: %s: a block is FILE, LINE, MUTATED LINE, REASON: %s" % (EQUIVALENTS, block))
        judged[tuple(lines[:3])] = " ".join(lines[3:])
    return judged


def place(m):
    return "%s:%d" % (m.path, m.line + 1)


def main():
    parser = argparse.ArgumentParser(description="Faults put into a copy one at a time: do the tests catch them?")
    parser.add_argument("--sample", type=int, default=110, help="mutants to try (default 110, about 30 minutes on two cores)")
    parser.add_argument("--seed", type=int, default=1, help="which sample (default 1)")
    parser.add_argument("--all", action="store_true", help="every mutant, not a sample")
    parser.add_argument("--no-chosen", action="store_true", help="skip the chosen faults")
    parser.add_argument("--memcheck", action="store_true", help="last, the scenario suite under valgrind memcheck too")
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    args = parser.parse_args()

    root = subprocess.run(["git", "-C", os.path.dirname(os.path.abspath(__file__)), "rev-parse", "--show-toplevel"],
                          stdout=subprocess.PIPE, check=True).stdout.decode().strip()
    judged = load_equivalents()
    every = all_mutants(root)
    sample = every if args.all else random.Random(args.seed).sample(every, min(args.sample, len(every)))
    sample.sort(key=lambda m: (m.path, m.line, m.mutated))  # one file after another: fewer rebuilds
    if args.list:
        for m in sample:
            print("%s %s: %s" % (place(m), m.operator, m.mutated.strip()))
        return 0

    started = time.time()
    copy = Copy(root, os.cpu_count() or 2)
    try:
        ok, output = copy.make()
        if not ok:
            sys.exit("mutation check: the unchanged copy does not build:\n" + output[-3000:])
        stages = Stages(copy, args.memcheck)
        stages.calibrate()
        print("mutation check: copy built and its tests timed in %d s" % (time.time() - started))
        unnoticed = 0
        if not args.no_chosen:
            print("chosen faults:")
            for name, relative, text, replacement in CHOSEN:
                source = copy.originals.get(relative) or open(copy.path(relative)).read()
                if text not in source:
                    sys.exit("mutation check: the place of \"%s\" is not in %s" % (name, relative))
                copy.write(relative, source.replace(text, replacement, 1))
                built, output = copy.make()
                failure = stages.first_failure() if built else None
                copy.restore(relative)
                if not built:
                    sys.exit("mutation check: \"%s\" does not build:\n%s" % (name, output[-2000:]))
                if failure is None:
                    unnoticed += 1
                print("  %-58s %s" % (name, failure if failure else "UNNOTICED"))

        print("sample: %d of %d mutants of %s (seed %d)" % (len(sample), len(every), ", ".join(SCOPE), args.seed))
        killed, survivors, stillborn = 0, [], 0
        current = None
        for number, m in enumerate(sample, 1):
            if current is not None and current != m.path:
                copy.restore(current)
            current = m.path
            lines = (copy.originals.get(m.path) or open(copy.path(m.path)).read()).split("\n")
            lines[m.line] = m.mutated
            copy.write(m.path, "\n".join(lines))
            built, _ = copy.make()
            if not built:
                stillborn += 1
                continue
            failure = stages.first_failure()
            if failure:
                killed += 1
                print("[%3d/%d] killed   %-32s %-15s %s" % (number, len(sample), place(m), m.operator, failure))
            else:
                survivors.append(m)
                print("[%3d/%d] SURVIVED %-32s %-15s %s" % (number, len(sample), place(m), m.operator,
                                                           m.mutated.strip()))
            sys.stdout.flush()
        if current is not None:
            copy.restore(current)
    finally:
        shutil.rmtree(copy.dir, ignore_errors=True)

    equivalent = [m for m in survivors if m.key in judged]
    unexplained = [m for m in survivors if m.key not in judged]
    tried = killed + len(survivors)
    print()
    print("survivors:")
    for m in survivors:
        print("  %s %s: %s => %s" % (place(m), m.operator, m.original.strip(), m.mutated.strip()))
        print("    " + ("equivalent: " + judged[m.key] if m.key in judged else "NOT JUDGED EQUIVALENT"))
    score = 100.0 * killed / tried if tried else 100.0
    without = 100.0 * killed / (tried - len(equivalent)) if tried > len(equivalent) else 100.0
    print("mutation check: %d mutants built and tested (%d did not build): %d killed, %d survived "
          "(%d judged equivalent); score %.1f%%, %.1f%% of those not equivalent; %d chosen faults unnoticed; %d s" %
          (tried, stillborn, killed, len(survivors), len(equivalent), score, without, unnoticed,
           time.time() - started))
    return 1 if unnoticed or unexplained else 0


if __name__ == "__main__":
    sys.exit(main())
