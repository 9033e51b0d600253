#!/bin/sh
# The layers of the program: Qt headers are included only inside platform/, and the platform
# includes nothing of the modules above it.
cd "$1" || exit 2
status=0
qt_outside=$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' --include='*.h' --include='*.cpp' \
    VornData BlockLists Knots dwordarraymanager __globalobjectdevice plugins uikit VornInterface Lumbra Zintel \
    bench)
if [ -n "$qt_outside" ]; then
    echo "Qt headers included outside the platform:"
    echo "$qt_outside"
    status=1
fi
upward=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(VornData|BlockLists|Knots|dwordarraymanager|__globalobjectdevice|plugins|uikit|VornInterface|Lumbra|Zintel)/' \
    --include='*.h' --include='*.cpp' platform)
if [ -n "$upward" ]; then
    echo "The platform includes modules above it:"
    echo "$upward"
    status=1
fi
[ $status -eq 0 ] && echo "layers kept"
exit $status
