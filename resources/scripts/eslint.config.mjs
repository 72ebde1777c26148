// The linter's view of the page scripts, checked as PageScripts.cpp puts them together.
// The build installs the libraries outside the source folder; the test that runs this
// (page-scripts-lint) tells node where with NODE_PATH, which only require() reads. Run from
// this folder or one above it: ESLint checks no file outside the folder it runs in.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';

const require = createRequire(import.meta.url);
const js = require('@eslint/js');
const globals = require('globals');
const { Linter } = require('eslint');

// Scripts run after helpers.js (scriptWithHelpers), and those that are the body of an async
// function (functionBodyWithHelpers) with the names of its arguments. Any other script
// runs as it is (pageScript), and sees no helpers.
const withHelpers = ['answer-watch.js', 'user-input.js'];
const functionBodies = {'prompt-delivery.js': ['text'], 'answer-mark.js': ['prompt'], 'answer-reader.js': ['keep']};

const language = {ecmaVersion: 2022, sourceType: 'script'};

// What helpers.js declares at its top, as the scripts after it see it.
const helperNames = (() => {
    const linter = new Linter();
    linter.verify(readFileSync(new URL('helpers.js', import.meta.url), 'utf8'), {languageOptions: language});
    // Helpers that do not parse are reported as such, not as undefined in every script.
    const scope = linter.getSourceCode()?.scopeManager.globalScope;
    const declared = (scope ? scope.variables : []).filter(v => v.defs.length > 0);
    return Object.fromEntries(declared.map(v => [v.name, 'readonly']));
})();

// The script checked inside the function it runs in, so that `return`, `await` and its
// arguments mean what they mean there. The function starts on the script's first line,
// whose columns alone need moving back.
const inFunction = head => ({
    meta: {name: 'in-function'},
    preprocess: text => [`${head}${text}\n});\n`],
    postprocess: ([messages]) => messages.map(message => message.line !== 1 ? message : {
        ...message,
        column: Math.max(1, message.column - head.length),
        ...(message.endLine === 1 ? {endColumn: Math.max(1, message.endColumn - head.length)} : {}),
    }),
    supportsAutofix: false,
});

// File names are of this folder, wherever ESLint runs.
const here = fileURLToPath(new URL('.', import.meta.url));

export default [
    js.configs.recommended,
    {
        files: ['**/*.js'],
        languageOptions: {
            ...language,
            // The engine gives our script world its message handlers.
            globals: {...globals.browser, webkit: 'readonly'},
        },
        linterOptions: {reportUnusedDisableDirectives: 'error'},
    },
    {
        files: withHelpers,
        languageOptions: {globals: helperNames},
        processor: inFunction('(() => {'),
    },
    ...Object.entries(functionBodies).map(([file, parameters]) => ({
        files: [file],
        languageOptions: {globals: helperNames},
        processor: inFunction(`(async function (${parameters.join(', ')}) {`),
    })),
    // Bundled at build time with the libraries it imports.
    {
        files: ['bundle/**/*.js'],
        languageOptions: {sourceType: 'module'},
    },
    {
        files: ['eslint.config.mjs'],
        languageOptions: {ecmaVersion: 2022, sourceType: 'module', globals: globals.node},
    },
].map(config => ({...config, basePath: here}));
