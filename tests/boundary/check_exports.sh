#!/bin/sh
# Each plugin library exports exactly its six entry points and nothing else of ours.
expected="FilterDllMsg
GetPluginCount
GetPluginObject
GetPluginWindow
ProcessDllIdle
ProcessGlobalObjectDevice"
status=0
for library in "$@"; do
    exported=$(nm -D --defined-only "$library" | awk '{print $3}' | grep -v '^$' | sort)
    if [ "$exported" != "$expected" ]; then
        echo "$library exports:"
        echo "$exported"
        status=1
    else
        echo "$library: the six entry points only"
    fi
done
exit $status
