// Pages from disk are one origin with every local picture they show: a canvas would hand
// the pixels of any local image back to the page. In such a page (and the blank frames and
// windows it makes, which share its origin) nothing reads a canvas back. Fresh globals, where
// this guard has not run yet, stay out of reach: a frame's window and document, and workers.
(function () {
    'use strict';
    if (self.origin !== 'file://' && location.protocol !== 'file:')
        return;
    function refuse() {
        throw new DOMException('本机网页不能读取画布内容。', 'SecurityError');
    }
    function lock(owner, names) {
        if (!owner)
            return;
        for (const name of names) {
            if (name in owner)
                Object.defineProperty(owner, name, {value: refuse, writable: false,
                                                    configurable: false, enumerable: false});
        }
    }
    const proto = (name) => self[name] && self[name].prototype;
    lock(proto('HTMLCanvasElement'),
         ['toDataURL', 'toBlob', 'captureStream', 'transferControlToOffscreen']);
    lock(proto('CanvasRenderingContext2D'), ['getImageData']);
    lock(proto('OffscreenCanvas'), ['convertToBlob', 'transferToImageBitmap']);
    lock(proto('OffscreenCanvasRenderingContext2D'), ['getImageData']);
    for (const gl of ['WebGLRenderingContext', 'WebGL2RenderingContext'])
        lock(proto(gl), ['readPixels', 'getBufferSubData', 'copyTexImage2D', 'copyTexSubImage2D']);
    lock(self, ['createImageBitmap', 'Worker', 'SharedWorker', 'VideoFrame', 'ImageCapture',
                'MediaRecorder']);
    lock(proto('Navigator'), ['gpu']);
    function lockGetters(owner, names) {
        if (!owner)
            return;
        for (const name of names) {
            if (name in owner)
                Object.defineProperty(owner, name, {get: refuse, configurable: false,
                                                    enumerable: false});
        }
    }
    for (const frame of ['HTMLIFrameElement', 'HTMLFrameElement', 'HTMLObjectElement'])
        lockGetters(proto(frame), ['contentWindow', 'contentDocument']);
})();
