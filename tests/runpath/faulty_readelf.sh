#!/bin/sh
# What readelf -d shows of a program with every kind of unsafe search path,
# and one safe one of each kind ($ORIGIN, a system folder).
cat <<'END'

Dynamic section at offset 0x2d60 contains 4 entries:
  Tag        Type                         Name/Value
 0x0000000000000001 (NEEDED)             Shared library: [libc.so.6]
 0x000000000000001d (RUNPATH)            Library runpath: [/usr/lib::lib:/tmp:$ORIGIN/../lib]
 0x000000000000000f (RPATH)              Library rpath: [:/usr/lib]
 0x0000000000000000 (NULL)               0x0
END
