// Where the tests find the builds, and how they run the programs in them.
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
export const source = process.env.VURP_SOURCE ?? path.resolve(here, '..', '..');
export const wasmBuild = process.env.VURP_WASM_BUILD ?? path.join(source, 'build-web');
export const nativeBuild = process.env.VURP_NATIVE_BUILD ?? path.join(source, 'build');

export const wasmDriver = path.join(wasmBuild, 'replay', 'vurp-replay.js');
export const nativeDriver = path.join(nativeBuild, 'replay', 'vurp-replay');
export const nativeChecker = path.join(nativeBuild, 'check', 'vurp-check');
export const goldenFolder = path.join(source, 'tests', 'golden');

// Node fetches the module's .wasm file over the network when it can, which
// this Emscripten does not expect of node: the driver reads it from disk.
export const nodeForWasm = [process.execPath, '--no-experimental-fetch'];

// The exit status, standard output and standard error of a program, with
// `input` on its standard input.
export function run(command, args, input = '') {
    return new Promise((resolve, reject) => {
        const child = execFile(
            command,
            args,
            { encoding: 'buffer', maxBuffer: 1 << 30 },
            (error, stdout, stderr) => {
                if (error && typeof error.code !== 'number') {
                    reject(error);
                    return;
                }
                resolve({ status: error ? error.code : 0, stdout, stderr: stderr.toString() });
            },
        );
        // A program that does not read its input may close it first: what
        // it printed is compared all the same.
        child.stdin.on('error', () => {});
        child.stdin.end(input);
    });
}

export function goldenScripts() {
    return fs
        .readdirSync(goldenFolder)
        .filter((name) => name.endsWith('.script'))
        .sort()
        .map((name) => path.join(goldenFolder, name));
}
