"""What a stretch of the program's run leaves allocated, by the module that allocated it.

The program runs under Wine's relay of the heap functions (every call, its caller and its
result go to a log); the census then replays the log up to the stretch's end. Each block
allocated in the stretch and still allocated at its end counts for the module of the outermost
allocating call (a LocalAlloc of comctl32 for comctl32, not for the kernelbase code that serves
it; a malloc of the program's own code for Velumbrino.exe), less the older blocks of that
module freed in the stretch. Memory growth alone cannot tell Wine's leaks from the program's;
this can. What ntdll allocates for itself is not relayed, so not counted.
"""
import collections
import os
import re
import struct
import subprocess

RELAYED = ["ntdll.RtlAllocateHeap", "ntdll.RtlReAllocateHeap", "ntdll.RtlFreeHeap",
           "kernelbase.LocalAlloc", "kernelbase.LocalReAlloc", "kernelbase.GlobalAlloc",
           "kernelbase.GlobalReAlloc", "msvcrt.malloc", "msvcrt.calloc", "msvcrt.realloc"]
ALLOCATING = {b"RtlAllocateHeap", b"RtlReAllocateHeap", b"LocalAlloc", b"LocalReAlloc",
              b"GlobalAlloc", b"GlobalReAlloc", b"malloc", b"calloc", b"realloc"}
KEY = r"HKCU\Software\Wine\Debug"
CALL = re.compile(rb"^([0-9a-f]{4}):Call \w+\.(\w+)\(([^)]*)\) ret=([0-9a-f]+)")
RET = re.compile(rb"^([0-9a-f]{4}):Ret  \w+\.(\w+)\(\) retval=([0-9a-f]+)")


def relay(wine, on):
    """Turns the relay of the heap functions on or off in the prefix (it lasts there)."""
    values = {"RelayInclude": ";".join(RELAYED), "RelayFromExclude": "winemac.drv"}
    for name, value in values.items():
        command = (["add", KEY, "/v", name, "/t", "REG_SZ", "/d", value, "/f"] if on
                   else ["delete", KEY, "/v", name, "/f"])
        subprocess.run([wine, "reg"] + command, capture_output=True)


def image_range(path):
    """(image base, size of image) from a PE file's optional header."""
    with open(path, "rb") as f:
        data = f.read(1024)
    header = struct.unpack_from("<I", data, 0x3C)[0] + 24  # after "PE\0\0" and the file header
    if struct.unpack_from("<H", data, header)[0] == 0x20B:  # PE32+
        return struct.unpack_from("<Q", data, header + 24)[0], struct.unpack_from(
            "<I", data, header + 56)[0]
    return struct.unpack_from("<I", data, header + 28)[0], struct.unpack_from(
        "<I", data, header + 56)[0]


def modules(pid, exe):
    """(start, end, file name) of each file the process maps, and of the exe: Wine copies an
    image whose sections are not page-aligned into anonymous memory, as it does the program."""
    base, size = image_range(exe)
    ranges = [(base, base + size, os.path.basename(exe))]
    with open(f"/proc/{pid}/maps") as f:
        for line in f:
            fields = line.split()
            if len(fields) >= 6 and fields[5].startswith("/"):
                low, high = (int(x, 16) for x in fields[0].split("-"))
                ranges.append((low, high, os.path.basename(fields[5])))
    return ranges


def module_of(ranges, address):
    for low, high, name in ranges:
        if low <= address < high:
            return name
    return "?"


def count(log_path, begin, end, ranges):
    """By module: (Counter of size -> blocks allocated at log offsets [begin, end) and still
    allocated at end, bytes of older blocks freed in that stretch). A block replaced by a new
    one (a note's layout redone as it is typed into) shows in both, so only the net is growth."""
    stacks = collections.defaultdict(list)  # thread -> [(function, arguments, caller)]
    live = {}  # pointer -> (log offset, size, caller)
    freed = collections.Counter()

    def free(pointer, at):
        block = live.pop(pointer, None)
        if block and block[0] < begin <= at:
            freed[module_of(ranges, block[2])] += block[1]

    offset = 0
    with open(log_path, "rb") as log:
        for line in log:
            at, offset = offset, offset + len(line)
            if at >= end:
                break
            call = CALL.match(line)
            if call:
                thread, function, arguments, caller = call.groups()
                arguments = arguments.split(b",")
                if function == b"RtlFreeHeap" and len(arguments) == 3:
                    free(int(arguments[2], 16), at)
                elif function in ALLOCATING:
                    stacks[thread].append((function, arguments, int(caller, 16)))
                continue
            ret = RET.match(line)
            if not ret or ret.group(2) not in ALLOCATING:
                continue
            thread, function, value = ret.groups()
            stack = stacks[thread]
            while stack and stack[-1][0] != function:
                stack.pop()  # a line lost to another thread's output
            if not stack:
                continue
            _, arguments, caller = stack.pop()
            if function == b"RtlAllocateHeap":
                size = int(arguments[2], 16)
            elif function == b"RtlReAllocateHeap":
                free(int(arguments[2], 16), at)
                size = int(arguments[3], 16)
            else:
                continue
            pointer = int(value, 16)
            if pointer:
                # The stack below holds only allocating calls: its bottom is the outermost.
                live[pointer] = (at, size, stack[0][2] if stack else caller)
    left = collections.defaultdict(collections.Counter)
    for at, size, caller in live.values():
        if at >= begin:
            left[module_of(ranges, caller)][size] += 1
    return {module: (left[module], freed[module]) for module in set(left) | set(freed)}


def summary(census):
    """One line: each module's net growth, largest first, with what makes it up."""
    parts = []
    for module, (sizes, freed) in census.items():
        kept = sum(size * blocks for size, blocks in sizes.items())
        common = ", ".join(f"{n} x {s} B" for s, n in collections.Counter(sizes).most_common(2))
        detail = f"kept {kept} B: {common}; older freed {freed} B" if kept or freed else "nothing"
        parts.append((kept - freed, f"{module} {kept - freed:+d} B ({detail})"))
    parts.sort(key=lambda part: -part[0])
    return "; ".join(text for _, text in parts) if parts else "nothing"
