// The same event the engine sends on leaving, sent first by us: a handler that objects
// cancels it or sets its return value.
(() => {
    if (!window.usedByTheUser) return false;
    const leaving = document.createEvent('BeforeUnloadEvent');
    leaving.initEvent('beforeunload', false, true);
    dispatchEvent(leaving);
    return leaving.defaultPrevented || !!leaving.returnValue;
})()
